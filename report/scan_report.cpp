#include "report/scan_report.h"

#include <utility>

#include "platform/text.h"
#include "platform/text_file.h"
#include "report/exit_codes.h"

#ifndef TAVREL_VERSION
#define TAVREL_VERSION "0.0.0"
#endif

namespace tavrel {
namespace {

// The folder part of a Windows path, or nothing when it has none.
std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

}  // namespace

void ScanReport::SetReportPath(std::optional<std::wstring> path, bool makeFolder) {
  path_ = std::move(path);
  makeFolder_ = makeFolder;
}

void ScanReport::ScanEnded(std::wstring mode, std::wstring scanType, int found, bool watchListRead) {
  mode_ = std::move(mode);
  pending_ = ScanTotals{.scanType = std::move(scanType), .found = found, .watchListRead = watchListRead};
}

void ScanReport::RowsDone(const std::vector<ChangeRow>& rows, const std::vector<RowResult>& results,
                          Decision decision) {
  if (!pending_) return;
  ScanTotals totals = *std::exchange(pending_, std::nullopt);
  const ReportContext context = Context();
  std::string lines;
  totals.decision = decision;
  totals.rows = rows.size();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RowResult result = i < results.size() ? results[i] : RowResult::Shown;
    lines += RowLine(context, rows[i], result, decision) + '\n';
    if (rows[i].Flagged) ++totals.flagged;
    ++(result == RowResult::Kept      ? totals.kept
       : result == RowResult::Undone  ? totals.undone
       : result == RowResult::Skipped ? totals.skipped
       : result == RowResult::Failed  ? totals.failed
                                      : totals.shown);
  }
  totals.exitCode = ExitCodeFor(totals, mode_ == kModeStartup);
  const std::string summary = SummaryLine(context, totals);
  Write(lines + summary + '\n');
  exitCode_ = totals.exitCode;
  summary_ = DecodeText(summary, TextEncoding::Utf8);
  services_.eventLog.Record(EventKindFor(totals), summary_);
}

ReportContext ScanReport::Context() const {
  // 128 bits from two readings; a failed reading leaves zeros, which only
  // makes the id less unique.
  std::wstring scanId;
  for (int half = 0; half < 2; ++half) scanId += Hex(services_.files.RandomBits().value_or(0), 16);
  return {.timestamp = UtcStamp(services_.clock),
          .hostName = services_.process.ComputerName(),
          .userId = services_.process.UserId(),
          .scanId = scanId,
          .mode = mode_,
          .version = FromAnsi(TAVREL_VERSION)};
}

void ScanReport::Write(const std::string& lines) {
  if (!path_ || path_->empty()) return;
  FileSystem& files = services_.files;
  if (makeFolder_ && !FolderOf(*path_).empty()) (void)files.MakeFolder(FolderOf(*path_));
  if (files.FileLength(*path_).value_or(0) >= kReportRotateBytes) (void)files.ReplaceWith(*path_, *path_ + L".1");
  (void)files.Append(*path_, lines);
}

}  // namespace tavrel
