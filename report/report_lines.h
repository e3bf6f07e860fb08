#pragma once
// The lines of the scan report: one JSON object per row and one summary per
// scan, named after the Elastic Common Schema where a name fits ("@timestamp",
// "event.*", "registry.*", "host.name", "user.id") and "tavrel.*" for the rest.
#include <cstddef>
#include <string>

#include "registry/registry_api.h"
#include "report/json.h"
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
  std::string backups = {};  // the backup copies' digests, a JSON array; none when empty
};

// "HKCU", "HKLM", "HKU", "HKCR" or "HKCC"; "" for any other root.
[[nodiscard]] const char* HiveName(RootHandle root);

// {"type":"REG_SZ","strings":[...]}: string types as their text, REG_MULTI_SZ
// as its list, REG_DWORD and REG_QWORD as their number, anything else as hex.
[[nodiscard]] std::string DataJson(const RawValue& value);

// reason: why a row was skipped before the finish (the watcher's cap), or nothing.
[[nodiscard]] std::string RowLine(const ReportContext& context, const ChangeRow& row, RowResult result,
                                  Decision decision, std::string_view reason = {});
[[nodiscard]] std::string SummaryLine(const ReportContext& context, const ScanTotals& totals);
// A line about something wrong between scans (event.kind "alert", outcome
// failure): what happened (action), to which key, and `details` at the end of
// the tavrel object.
[[nodiscard]] std::string AlertLine(const ReportContext& context, std::string_view action, RootHandle root,
                                    std::wstring_view key, const JsonObject& details);

}  // namespace tavrel
