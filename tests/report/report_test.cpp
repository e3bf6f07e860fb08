#include "report/scan_report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/text.h"
#include "report/exit_codes.h"
#include "report/json.h"
#include "scan/backup_key.h"
#include "tests/fakes/world.h"

namespace tavrel::test {
namespace {

constexpr wchar_t kReport[] = L"C:\\r.jsonl";
const std::wstring kDefault = L"C:\\Users\\U\\AppData\\Local\\Tavrel\\tavrel-report.jsonl";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(text.substr(at, end - at));
  return lines;
}

TEST(ReportTest, JsonStringsAreValidUtf8WhateverARegistryNameHoldsAndDataReadsByItsType) {
  const std::wstring name = {L'A', 0xE9, L'\t', L'"', L'\\', 0x01, 0xD800, L'x', 0xD83D, 0xDE00, 0xDC00, 0x80, 0xD83D};
  EXPECT_EQ(JsonString(name), "\"A\xC3\xA9\\t\\\"\\\\\\u0001\\ud800x\xF0\x9F\x98\x80\\udc00\xC2\x80\\ud83d\"");
  const auto bytes = [](std::initializer_list<int> b) {
    std::vector<std::byte> v;
    for (const int x : b) v.push_back(std::byte(x));
    return v;
  };
  const std::pair<RawValue, const char*> data[] = {
      {{kRegExpandSz, Sz(L"%T%\\a").bytes}, R"({"type":"REG_EXPAND_SZ","strings":["%T%\\a"]})"},
      {{kRegMultiSz, EncodeUtf16Le(std::wstring(L"a\0\0b\0\0", 6))},
       R"({"type":"REG_MULTI_SZ","strings":["a","","b"]})"},
      {{kRegDword, bytes({0x2a, 0, 0, 1})}, R"({"type":"REG_DWORD","strings":["16777258"]})"},
      {{11, bytes({1, 0, 0, 0, 0, 0, 0, 0})}, R"({"type":"REG_QWORD","strings":["1"]})"},
      {{kRegDword, bytes({0x2a})}, R"({"type":"REG_DWORD","strings":["2a"]})"},
      {{kRegBinary, bytes({0, 0xff})}, R"({"type":"REG_BINARY","strings":["00ff"]})"},
      {{99, {}}, R"({"type":"type 0x00000063","strings":[""]})"}};
  for (const auto& [value, json] : data) EXPECT_EQ(DataJson(value), json);
}

// A scan that finds one row of each kind, however it starts and ends: each row's line names its action and what became
// of it, the summary line follows, the one log record carries the summary, and the exit code follows from them. The
// file is appended to, or rotated at its size limit; a file that cannot be written changes nothing else.
TEST(ReportTest, EachRowsLineSaysWhatBecameOfItAndTheSummaryDecidesTheExitCode) {
  const struct {
    const wchar_t *args, *silent;
    char act;  // '-' none, 'O' the changed row unticked and OK clicked, 'C' Cancel, 'T' the count-down runs out
    bool registryFails, fileFails;
    std::size_t before;   // bytes already in the file
    const char* results;  // created, changed, deleted, value present, link
    const char* decision;
    int exit, run;
    ScanEventKind kind;
  } cases[] = {
      {L"/scannow key=H report=C:\\r.jsonl", nullptr, '-', false, false, 3, "kept kept kept undone shown", "silent", 2,
       2, ScanEventKind::ChangesUndoneOrFlagged},
      {L"/scannow key=H report=C:\\r.jsonl", nullptr, '-', true, false, 0, "failed failed failed failed shown",
       "silent", 3, 3, ScanEventKind::Failure},
      {L"/scannow key=H report=C:\\r.jsonl", nullptr, '-', false, true, 0, "kept kept kept undone shown", "silent", 2,
       2, ScanEventKind::ChangesUndoneOrFlagged},
      {L"/scannow key=H report=C:\\r.jsonl", L"0", 'C', false, false, kReportRotateBytes,
       "shown shown shown shown shown", "none", 2, 0, ScanEventKind::ChangesUndoneOrFlagged},
      {L"/scannow key=H", L"0", 'T', false, false, 0, "kept kept kept undone shown", "countdown", 2, 0,
       ScanEventKind::ChangesUndoneOrFlagged},
      {L"x key=H", nullptr, 'O', false, false, 0, "kept undone kept undone shown", "user", 0, 0,
       ScanEventKind::ChangesUndoneOrFlagged},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToAnsi(c.args) + " " + c.act);
    World world;
    const std::wstring args = c.args, run = world.Key(L"Run"), path = args[0] == L'x' ? kDefault : kReport;
    world.Set(run, {{L"New", L"n"}, {L"Old", L"changed"}});
    world.Set(BackupKeyFor(run), {{L"Old", L"o"}, {L"Gone", L"g"}});
    world.Set(world.Key(L"Other"), L"Flag", L"f");
    world.memory.PutValue(kCurrentUser, world.Key(L"Probe"), L"SymbolicLinkValue", kRegLink, Sz(L"\\R").bytes);
    world.WatchKey(run);
    world.WatchValue(L"Bad", world.Key(L"Other"), L"Flag");
    world.WatchValue(L"Bad", world.Key(L"Probe"), L"Flag");
    if (c.silent) world.Set(L"H", L"Tavrel Silent Mode", c.silent);
    world.files.contents[path] = std::string(c.before, '.');
    if (c.fileFails) world.files.FailCall(FileOp::Append, 0);
    if (c.registryFails)
      world.memory.SetFaultHook([](RegCall call) -> std::optional<RegStatus> {
        return call == RegCall::SetValue || call == RegCall::DeleteValue ? std::optional(kRegAccessDenied)
                                                                         : std::nullopt;
      });
    if (c.act == 'O') world.toolkit.Post([&] { world.ScanForm()->buttons.at(0)->ClickWithMouse(); });
    EXPECT_EQ(world.New(c.args).Run(), c.run);
    if (HeadlessForm* dialog = world.DialogForm(); dialog && c.act == 'O') {
      HeadlessList& list = *dialog->lists.at(0);
      for (std::size_t r = 0; r < list.RowCount(); ++r)
        if (list.Row(r).text.starts_with(L"Changed")) list.ClickCheckMark(r);
      dialog->buttons.at(0)->ClickWithMouse();
    }
    if (c.act == 'C') world.DialogForm()->buttons.at(1)->ClickWithMouse();
    world.toolkit.AdvanceClock(30'000);

    EXPECT_EQ(world.Get(run, L"Old"), c.registryFails ? L"changed" : c.act == 'O' ? L"o" : L"changed");
    EXPECT_EQ(world.Get(L"H", L"Tavrel Status"), args[0] == L'x' || c.registryFails ? kAbsent : L"255");
    ASSERT_EQ(world.eventLog.records.size(), 1u);
    EXPECT_EQ(world.eventLog.records[0].first, c.kind);
    // Only the default file's folder is made: a host names a folder that is there.
    EXPECT_EQ(world.files.folders.size(), args[0] == L'x' ? 1u : 0u);
    if (c.fileFails || (args[0] == L'/' && args.find(L"report=") == std::wstring::npos)) {
      EXPECT_EQ(world.files.contents[path], std::string(c.before, '.'));
      continue;
    }
    const std::string text = world.files.contents[path];
    const std::size_t kept = c.before < kReportRotateBytes ? c.before : 0;
    ASSERT_EQ(text.substr(0, kept), std::string(kept, '.'));
    EXPECT_EQ(world.files.contents[path + L".1"].size(), c.before - kept) << "rotated";
    const std::vector<std::string> lines = Lines(text.substr(kept));
    ASSERT_EQ(lines.size(), 6u);
    const char* actions[] = {"value-created", "value-changed", "value-deleted", "value-present", "link-found"};
    const std::vector<std::wstring> results = Split(FromAnsi(c.results), L' ');
    for (std::size_t r = 0; r < 5; ++r) {
      const auto line = std::ranges::find_if(lines, [&](const std::string& l) {
        return l.find(std::string("\"action\":\"") + actions[r] + "\"") != std::string::npos;
      });
      ASSERT_NE(line, lines.end()) << actions[r];
      if (r < 3) {
        EXPECT_NE(line->find("\"key\":" + JsonString(run)), std::string::npos) << *line;
      }
      EXPECT_NE(line->find("\"result\":\"" + ToAnsi(results[r]) + "\""), std::string::npos) << *line;
      const char* outcome = results[r] == L"failed" ? "failure" : results[r] == L"shown" ? "unknown" : "success";
      EXPECT_NE(line->find(std::string("\"outcome\":\"") + outcome + "\""), std::string::npos) << *line;
      EXPECT_NE(line->find(std::string("\"decision\":\"") + c.decision + "\""), std::string::npos) << *line;
    }
    EXPECT_NE(lines[5].find("\"exit_code\":" + std::to_string(c.exit) + "}}"), std::string::npos) << lines[5];
    EXPECT_EQ(world.eventLog.records[0].second, FromAnsi(lines[5]));
  }
}

// A watcher's many scans end with the worst of their codes: a failed write is not forgotten by the clean scans after
// it, and its alert (no scan's) is an error record that leaves the code as it is.
TEST(ReportTest, AWatchersExitCodeIsTheWorstOfItsScans) {
  World world;
  FakeProcess process;
  ScanReport report({world.files, world.clock, process, world.eventLog});
  const ChangeRow row({L"Created", L"X", L"x", L"B", L"K"}, kCurrentUser, false);
  report.ScanEnded(kModeWatch, L"Compare", 1, true);
  report.RowsDone({row}, {RowResult::Failed}, Decision::Automatic);
  report.ScanEnded(kModeWatch, L"Compare", 0, true);
  report.RowsDone({}, {}, Decision::None);
  report.Alert(kModeWatch, "baseline-untrusted", kCurrentUser, L"B", JsonObject());
  EXPECT_EQ(report.ExitCode(), kExitWriteFailed);
  ASSERT_EQ(world.eventLog.records.size(), 3u);
  EXPECT_EQ(world.eventLog.records[1].first, ScanEventKind::Clean);
  EXPECT_EQ(world.eventLog.records[2].first, ScanEventKind::Failure);
}

}  // namespace
}  // namespace tavrel::test
