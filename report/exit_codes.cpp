#include "report/exit_codes.h"

namespace tavrel {

int ExitCodeFor(const ScanTotals& totals, bool startup) noexcept {
  if (totals.failed > 0) return kExitWriteFailed;
  if (!totals.watchListRead) return kExitWatchListUnreadable;
  if (!startup) return kExitClean;
  if (totals.undone > 0 || totals.skipped > 0 || totals.flagged > 0) return kExitUndoneOrFlagged;
  return totals.rows > 0 ? kExitChangesKept : kExitClean;
}

ScanEventKind EventKindFor(const ScanTotals& totals) noexcept {
  switch (ExitCodeFor(totals, true)) {
    case kExitClean:
      return ScanEventKind::Clean;
    case kExitChangesKept:
      return ScanEventKind::ChangesKept;
    case kExitUndoneOrFlagged:
      return ScanEventKind::ChangesUndoneOrFlagged;
    default:
      return ScanEventKind::Failure;
  }
}

}  // namespace tavrel
