#include "report/report_lines.h"

#include <vector>

#include "platform/text.h"
#include "report/json.h"
#include "scan/value_text.h"

namespace tavrel {
namespace {

const char* ResultName(RowResult result) {
  switch (result) {
    case RowResult::Kept:
      return "kept";
    case RowResult::Undone:
      return "undone";
    case RowResult::Skipped:
      return "skipped";
    case RowResult::Failed:
      return "failed";
    case RowResult::Shown:
      break;
  }
  return "shown";
}

const char* DecisionName(Decision decision) {
  switch (decision) {
    case Decision::User:
      return "user";
    case Decision::Countdown:
      return "countdown";
    case Decision::Silent:
      return "silent";
    case Decision::Automatic:
      return "automatic";
    case Decision::None:
      break;
  }
  return "none";
}

// What a row reports: the event's action and ECS type.
struct RowKind {
  const char* action;
  const char* type;
};

RowKind KindOf(const ChangeRow& row) {
  // The same reading of field 0 as the OK action's.
  const std::wstring kind = ToLower(row.Field(0));
  if (kind == L"created") return {"value-created", "creation"};
  if (kind == L"changed") return {"value-changed", "change"};
  if (kind == L"deleted") return {"value-deleted", "deletion"};
  // A value-entry row always shows its value; a link row shows none.
  return row.Live ? RowKind{"value-present", "info"} : RowKind{"link-found", "info"};
}

std::string Event(const char* type, std::string_view action, const char* outcome, const char* kind = "event") {
  return JsonObject()
      .Ascii("kind", kind)
      .Raw("category", "[\"registry\"]")
      .Raw("type", std::string("[\"").append(type).append("\"]"))
      .Ascii("action", action)
      .Ascii("outcome", outcome)
      .Json();
}

// The members every tavrel object starts with.
JsonObject ScanMembers(const ReportContext& context) {
  JsonObject tavrel;
  tavrel.Text("scan_id", context.scanId).Text("mode", context.mode).Text("version", context.version);
  return tavrel;
}

std::string Line(const ReportContext& context, const std::string& event, const std::string& registry,
                 const JsonObject& tavrel) {
  JsonObject line;
  line.Text("@timestamp", context.timestamp).Raw("event", event);
  if (!registry.empty()) line.Raw("registry", registry);
  return line.Raw("host", JsonObject().Text("name", context.hostName).Json())
      .Raw("user", JsonObject().Text("id", context.userId).Json())
      .Raw("tavrel", tavrel.Json())
      .Json();
}

}  // namespace

const char* HiveName(RootHandle root) {
  switch (root) {
    case kClassesRoot:
      return "HKCR";
    case kCurrentUser:
      return "HKCU";
    case kLocalMachine:
      return "HKLM";
    case kUsers:
      return "HKU";
    case kCurrentConfig:
      return "HKCC";
    default:
      return "";
  }
}

std::string DataJson(const RawValue& value) {
  std::vector<std::wstring> strings;
  if (value.type == kRegSz || value.type == kRegExpandSz) {
    strings = {StringText(value)};
  } else if (value.type == kRegMultiSz) {
    strings = MultiStrings(value);
  } else if (const auto n = NumberOf(value)) {
    strings = {std::to_wstring(*n)};
  } else {
    std::wstring hex;
    for (const std::byte b : value.bytes) hex += Hex(std::to_integer<std::uint64_t>(b), 2);
    strings = {hex};
  }
  std::vector<std::string> items;
  for (const std::wstring& s : strings) items.push_back(JsonString(s));
  return JsonObject().Text("type", TypeName(value.type)).Raw("strings", JsonArray(items)).Json();
}

std::string RowLine(const ReportContext& context, const ChangeRow& row, RowResult result, Decision decision,
                    std::string_view reason) {
  const RowKind kind = KindOf(row);
  const bool link = kind.action == std::string_view("link-found");
  const char* outcome = result == RowResult::Failed                                ? "failure"
                        : result == RowResult::Kept || result == RowResult::Undone ? "success"
                                                                                   : "unknown";
  const std::wstring hive = FromAnsi(HiveName(row.Tag));
  const std::wstring& keyPath = row.Field(kind.type == std::string_view("change") ? 5 : 4);
  JsonObject registry;
  registry.Ascii("hive", HiveName(row.Tag)).Text("key", keyPath);
  if (link) {
    registry.Text("path", hive + L"\\" + row.Field(2));  // the key that is a link
  } else {
    registry.Text("value", row.Field(1)).Text("path", hive + L"\\" + keyPath + L"\\" + row.Field(1));
    if (row.Live) registry.Raw("data", DataJson(*row.Live));
  }

  JsonObject tavrel = ScanMembers(context);
  tavrel.Text("row", row.Field(0));
  if (row.Backup) tavrel.Raw("previous", DataJson(*row.Backup));
  tavrel.Ascii("decision", DecisionName(decision)).Bool("flagged", row.Flagged).Ascii("result", ResultName(result));
  if (!reason.empty()) tavrel.Ascii("reason", reason);

  return Line(context, Event(kind.type, kind.action, outcome), registry.Json(), tavrel);
}

std::string SummaryLine(const ReportContext& context, const ScanTotals& totals) {
  const bool failure = totals.failed > 0 || !totals.watchListRead;
  JsonObject tavrel = ScanMembers(context);
  tavrel.Text("scan_type", totals.scanType)
      .Ascii("decision", DecisionName(totals.decision))
      .Number("found", totals.found)
      .Number("rows", static_cast<long long>(totals.rows))
      .Number("kept", static_cast<long long>(totals.kept))
      .Number("undone", static_cast<long long>(totals.undone))
      .Number("skipped", static_cast<long long>(totals.skipped))
      .Number("shown", static_cast<long long>(totals.shown))
      .Number("failed", static_cast<long long>(totals.failed))
      .Number("flagged", static_cast<long long>(totals.flagged))
      .Bool("watch_list_read", totals.watchListRead);
  if (!totals.backups.empty()) tavrel.Raw("backups", totals.backups);
  tavrel.Number("exit_code", totals.exitCode);
  return Line(context, Event("info", "scan-finished", failure ? "failure" : "success"), "", tavrel);
}

std::string AlertLine(const ReportContext& context, std::string_view action, RootHandle root, std::wstring_view key,
                      const JsonObject& details) {
  const std::wstring hive = FromAnsi(HiveName(root));
  JsonObject registry;
  registry.Ascii("hive", HiveName(root)).Text("key", key).Text("path", hive + L"\\" + std::wstring(key));
  JsonObject tavrel = ScanMembers(context);
  tavrel.Members(details);
  return Line(context, Event("change", action, "failure", "alert"), registry.Json(), tavrel);
}

}  // namespace tavrel
