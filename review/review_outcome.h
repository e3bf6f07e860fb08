#pragma once
// What became of a scan's rows once the review dialog is done with them: each
// row's result and how the decision was taken. Whoever reports on a scan
// listens here; the dialog knows nothing of where the report goes.
#include <optional>
#include <string>
#include <vector>

#include "review/change_list.h"

namespace tavrel {

enum class RowResult {
  Kept,     // the change went into the backup copy, or a flagged value stopped being flagged
  Undone,   // the old state is back, or the flagged value is deleted
  Skipped,  // an undo not made: the value changed since the row showed it
  Shown,    // nothing was acted on (a link, a name holding a NUL, AutoRepair 0, Cancel)
  Failed,   // a write it needed failed
};

enum class Decision {
  User,       // OK clicked
  Countdown,  // the count-down ran out
  Silent,     // applied at the finish without showing the dialog
  Automatic,  // every row flagged: applied at the finish
  None,       // the dialog closed without OK (Cancel, the frame, no rows)
};

class ReviewOutcomeSink {
 public:
  virtual ~ReviewOutcomeSink() = default;
  // Once per loaded dialog, as it unloads; results has one entry per row.
  virtual void RowsDone(const std::vector<ChangeRow>& rows, const std::vector<RowResult>& results,
                        Decision decision) = 0;
};

inline constexpr wchar_t kModeStartup[] = L"startup";
inline constexpr wchar_t kModeInteractive[] = L"interactive";
inline constexpr wchar_t kModeWatch[] = L"watch";

// What the scan window tells whoever reports on its scan, besides the rows.
class ScanOutcomeSink : public ReviewOutcomeSink {
 public:
  // The report file; nothing writes none. makeFolder: its folder is made
  // first when missing.
  virtual void SetReportPath(std::optional<std::wstring> path, bool makeFolder) = 0;
  // The scan has ended (mode: kModeStartup, ...); its rows are decided on
  // next, at once or later, and RowsDone says how.
  virtual void ScanEnded(std::wstring mode, std::wstring scanType, int found, bool watchListRead) = 0;
};

}  // namespace tavrel
