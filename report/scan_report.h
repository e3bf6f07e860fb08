#pragma once
// The scan report: when a scan is done (its rows applied, or the dialog closed
// without applying them) one JSON line per row and one summary line go to the
// report file, the summary goes to the system's application log, and the
// process's exit code is decided.
#include <functional>
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

// A report file that reaches this size is renamed to "<path>.1" (replacing
// the one before) before the next scan's lines: one old generation, so that
// a collector that has fallen behind still finds them, and the disk holds at
// most twice this.
inline constexpr std::uint64_t kReportRotateBytes = 10u << 20;

struct ReportServices {
  FileSystem& files;
  const Clock& clock;
  const Process& process;
  EventLog& eventLog;
  // The backup copies' digests as a JSON array, taken as each scan is done
  // (after its writes) for its summary; none when not given.
  std::function<std::string()> backups = {};
};

class ScanReport final : public ScanOutcomeSink {
 public:
  explicit ScanReport(ReportServices services) noexcept : services_(services) {}

  // ScanOutcomeSink. Without a file the log record is made all the same.
  void SetReportPath(std::optional<std::wstring> path, bool makeFolder) override;
  void ScanEnded(std::wstring mode, std::wstring scanType, int found, bool watchListRead) override;

  // ReviewOutcomeSink: the scan is done. Ignored when no scan has ended since
  // the last one was reported.
  void RowsDone(const std::vector<ChangeRow>& rows, const std::vector<RowResult>& results, Decision decision) override;

  // A row taken out before the next scan's finish (the watcher leaves a value
  // alone): reported with that scan's rows, as skipped, with the reason.
  void RowSkipped(ChangeRow row, std::string reason);
  // Appends an alert's line (see AlertLine) and files it in the application
  // log as a failure. It is no scan's: the exit code stays as it is.
  void Alert(std::wstring mode, std::string_view action, RootHandle root, std::wstring_view key,
             const JsonObject& details);

  // Runs when a scan is done, after its lines and its log record.
  std::function<void(const ScanTotals&)> OnScanDone;

  // The highest exit code of the scans done so far (0 before any): a watcher's
  // many scans end with 3 if a write of any of them failed.
  [[nodiscard]] int ExitCode() const noexcept { return exitCode_; }
  // Where the lines go, if anywhere.
  [[nodiscard]] const std::optional<std::wstring>& Path() const noexcept { return path_; }
  // The last scan's summary, the text of its summary line and log record.
  [[nodiscard]] const std::wstring& Summary() const noexcept { return summary_; }

 private:
  [[nodiscard]] ReportContext Context(std::wstring mode) const;
  // Appends the lines; a file that cannot be written changes nothing else.
  void Write(const std::string& lines);

  ReportServices services_;
  std::optional<std::wstring> path_;
  bool makeFolder_ = false;
  std::optional<ScanTotals> pending_;
  std::vector<std::pair<ChangeRow, std::string>> skipped_;
  std::wstring mode_;
  int exitCode_ = 0;
  std::wstring summary_;
};

}  // namespace tavrel
