#pragma once
// The lines of the scan report: one JSON object per row and one summary per
// scan, named after the Elastic Common Schema where a name fits ("@timestamp",
// "event.*", "registry.*", "host.name", "user.id") and "tavrel.*" for the rest.
#include <cstddef>
#include <string>

#include "review/change_list.h"
#include "review/review_outcome.h"

namespace tavrel {

// What every line of one scan carries.
struct ReportContext {
  std::wstring timestamp;  // UTC, "2026-12-06T22:41:02Z"
  std::wstring hostName;
  std::wstring userId;
  std::wstring scanId;  // 32 hex digits
  std::wstring mode;    // "startup" | "interactive" | "watch"
  std::wstring version;
};

// The counts and verdict of one scan.
struct ScanTotals {
  std::wstring scanType;
  int found = 0;  // flagged findings, the "Found" status value
  std::size_t rows = 0, kept = 0, undone = 0, skipped = 0, shown = 0, failed = 0, flagged = 0;
  Decision decision = Decision::None;
  bool watchListRead = true;
  int exitCode = 0;
};

// {"type":"REG_SZ","strings":[...]}: string types as their text, REG_MULTI_SZ
// as its list, REG_DWORD and REG_QWORD as their number, anything else as hex.
[[nodiscard]] std::string DataJson(const RawValue& value);

[[nodiscard]] std::string RowLine(const ReportContext& context, const ChangeRow& row, RowResult result,
                                  Decision decision);
[[nodiscard]] std::string SummaryLine(const ReportContext& context, const ScanTotals& totals);

}  // namespace tavrel
