#pragma once
// tavrel.exe's exit codes, for the host that started it.
#include "platform/event_log.h"
#include "report/report_lines.h"

namespace tavrel {

enum ExitCode : int {
  kExitClean = 0,                // nothing found
  kExitChangesKept = 1,          // findings, none undone and none flagged
  kExitUndoneOrFlagged = 2,      // something undone (or an undo asked for), or a flagged value present
  kExitWriteFailed = 3,          // a write the decision needed failed: the report says which
  kExitWatchListUnreadable = 4,  // tavrel.ini missing, or a watch-list file unreadable
  kExitBadArguments = 5,         // a report= word without a usable path: nothing was done
  kExitAnotherInstanceRuns = 6,  // a start-up scan found another Tavrel holding on
};

// The code a start-up scan ends with; interactive runs keep 0 unless a write
// failed or the watch list could not be read.
[[nodiscard]] int ExitCodeFor(const ScanTotals& totals, bool startup) noexcept;
// The event log's verdict on a scan: the start-up scan's code, whatever the mode.
[[nodiscard]] ScanEventKind EventKindFor(const ScanTotals& totals) noexcept;

}  // namespace tavrel
