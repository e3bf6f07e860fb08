#include "report/scan_report.h"

#include <algorithm>
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
  const auto skipped = std::exchange(skipped_, {});
  const ReportContext context = Context(mode_);
  std::string lines;
  totals.decision = decision;
  totals.rows = rows.size() + skipped.size();
  auto add = [&](const ChangeRow& row, RowResult result, std::string_view reason) {
    lines += RowLine(context, row, result, decision, reason) + '\n';
    if (row.Flagged) ++totals.flagged;
    ++(result == RowResult::Kept      ? totals.kept
       : result == RowResult::Undone  ? totals.undone
       : result == RowResult::Skipped ? totals.skipped
       : result == RowResult::Failed  ? totals.failed
                                      : totals.shown);
  };
  for (std::size_t i = 0; i < rows.size(); ++i) add(rows[i], i < results.size() ? results[i] : RowResult::Shown, {});
  for (const auto& [row, reason] : skipped) add(row, RowResult::Skipped, reason);
  totals.exitCode = ExitCodeFor(totals, mode_ == kModeStartup);
  if (services_.backups) totals.backups = services_.backups();
  const std::string summary = SummaryLine(context, totals);
  Write(lines + summary + '\n');
  exitCode_ = std::max(exitCode_, totals.exitCode);
  summary_ = DecodeText(summary, TextEncoding::Utf8);
  services_.eventLog.Record(EventKindFor(totals), summary_);
  if (OnScanDone) OnScanDone(totals);
}

void ScanReport::RowSkipped(ChangeRow row, std::string reason) {
  skipped_.emplace_back(std::move(row), std::move(reason));
}

void ScanReport::Alert(std::wstring mode, std::string_view action, RootHandle root, std::wstring_view key,
                       const JsonObject& details) {
  const std::string line = AlertLine(Context(std::move(mode)), action, root, key, details);
  Write(line + '\n');
  services_.eventLog.Record(ScanEventKind::Failure, DecodeText(line, TextEncoding::Utf8));
}

ReportContext ScanReport::Context(std::wstring mode) const {
  // 128 bits from two readings; a failed reading leaves zeros, which only
  // makes the id less unique.
  std::wstring scanId;
  for (int half = 0; half < 2; ++half) scanId += Hex(services_.files.RandomBits().value_or(0), 16);
  return {.timestamp = UtcStamp(services_.clock),
          .hostName = services_.process.ComputerName(),
          .userId = services_.process.UserId(),
          .scanId = scanId,
          .mode = std::move(mode),
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
