#pragma once
// The scan report: when a scan is done (its rows applied, or the dialog closed
// without applying them) one JSON line per row and one summary line go to the
// report file, the summary goes to the system's application log, and the
// process's exit code is decided.
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/event_log.h"
#include "platform/files.h"
#include "platform/process.h"
#include "report/report_lines.h"
#include "review/review_outcome.h"

namespace tavrel {

inline constexpr wchar_t kModeStartup[] = L"startup";
inline constexpr wchar_t kModeInteractive[] = L"interactive";
inline constexpr wchar_t kModeWatch[] = L"watch";

// A report file that reaches this size is renamed to "<path>.1" (replacing
// the one before) before the next scan's lines: one old generation, so that
// a collector that has fallen behind still finds them, and the disk holds at
// most twice this.
inline constexpr std::uint64_t kReportRotateBytes = 10u << 20;

// Where interactive scans report when nothing else is said, below the user's
// local application-data folder.
inline constexpr wchar_t kDefaultReportFolder[] = L"\\Tavrel";
inline constexpr wchar_t kDefaultReportName[] = L"\\tavrel-report.jsonl";

struct ReportServices {
  FileSystem& files;
  const Clock& clock;
  const Process& process;
  EventLog& eventLog;
};

class ScanReport final : public ReviewOutcomeSink {
 public:
  explicit ScanReport(ReportServices services) noexcept : services_(services) {}

  // The report file; nothing writes none (the log record is made all the
  // same). makeFolder: its folder is made first when missing.
  void SetPath(std::optional<std::wstring> path, bool makeFolder = false);

  // The scan has ended; its rows are decided on next (at once or later).
  void ScanEnded(std::wstring mode, std::wstring scanType, int found, bool watchListRead);

  // ReviewOutcomeSink: the scan is done. Ignored when no scan has ended since
  // the last one was reported.
  void RowsDone(const std::vector<ChangeRow>& rows, const std::vector<RowResult>& results, Decision decision) override;

  // The last scan's exit code (0 before any scan is done).
  [[nodiscard]] int ExitCode() const noexcept { return exitCode_; }
  // The last scan's summary, the text of its summary line and log record.
  [[nodiscard]] const std::wstring& Summary() const noexcept { return summary_; }

 private:
  [[nodiscard]] ReportContext Context() const;
  // Appends the lines; a file that cannot be written changes nothing else.
  void Write(const std::string& lines);

  ReportServices services_;
  std::optional<std::wstring> path_;
  bool makeFolder_ = false;
  std::optional<ScanTotals> pending_;
  std::wstring mode_;
  int exitCode_ = 0;
  std::wstring summary_;
};

}  // namespace tavrel
