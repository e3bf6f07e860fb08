// Every registry call and every file operation of a Backup, a Restore, a Compare and the review dialog's OK action
// fails in turn. Whatever fails: nothing crashes, no key stays open, every value the failed call was not about ends as
// it does when nothing fails, and the user watch-list file is never cut short nor loses a line it keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <sstream>

#include "platform/text.h"
#include "scan/backup_key.h"
#include "tests/fakes/world.h"

namespace tavrel::test {
namespace {

using U32 = std::uint32_t;
using K = KeyHandle;

// An in-memory registry that notes, for each call, its key ("<root>:<folded
// path>") and its value name: "*" for every value of the key, "<" or ">" for
// the value of the call before or after (a close; an open or create).
class Recorder final : public RegistryApi {
 public:
  RegStatus OpenKeyEx(K p, Text sub, U32 o, U32 a, K& k) override {
    return Open(p, sub, k, memory.OpenKeyEx(p, sub, o, a, k), L">");
  }
  RegStatus CreateKeyEx(K p, Text sub, U32 o, U32 a, K& k) override {
    return Open(p, sub, k, memory.CreateKeyEx(p, sub, o, a, k), L">");
  }
  RegStatus QueryValue(K k, Text n, U32* t, std::byte* d, U32* s) override {  // a link check is about the next call
    return Note(k, n == L"SymbolicLinkValue" ? L">" : n, memory.QueryValue(k, n, t, d, s));
  }
  RegStatus SetValue(K k, Text n, U32 t, const std::byte* d, U32 s) override {
    return Note(k, n, memory.SetValue(k, n, t, d, s));
  }
  RegStatus EnumValue(K k, U32 i, wchar_t* n, U32* l, U32* t, std::byte* d, U32* s) override {
    return Note(k, L"*", memory.EnumValue(k, i, n, l, t, d, s));
  }
  RegStatus DeleteKey(K p, Text sub) override { return Open(p, sub, 0, memory.DeleteKey(p, sub), L"*"); }
  RegStatus DeleteValue(K k, Text n) override { return Note(k, n, memory.DeleteValue(k, n)); }
  RegStatus CloseKey(K k) override { return Note(k, L"<", memory.CloseKey(k)); }

  MemoryRegistry memory;
  std::vector<std::pair<std::wstring, std::wstring>> calls;

 private:
  RegStatus Open(K parent, Text sub, K key, RegStatus status, const wchar_t* name) {
    std::wstring path = paths_.contains(parent) ? paths_.at(parent) : std::to_wstring(parent) + L":";
    if (!sub.empty()) path += (path.back() == L':' ? L"" : L"\\") + ToLower(sub);
    calls.push_back({path, name});
    if (status == kRegSuccess && key != 0) paths_[key] = path;
    return status;
  }
  RegStatus Note(K key, Text name, RegStatus status) { return Open(key, L"", 0, status, ToLower(name).c_str()); }
  std::map<K, std::wstring> paths_;
};

enum class Operation { Backup, Restore, Compare, OkAsScanned, OkInverted };
constexpr wchar_t kUserList[] = L"C:\\Tavrel\\tavrel-user.ini";
// Every value of the keys in play, by "<key as the recorder notes it>|<folded name>".
using Snapshot = std::map<std::wstring, StoredValue>;

struct Outcome {
  std::string userFileBefore, userFile{};
  Snapshot state{};
  std::vector<ChangeRow> rows{};
  std::size_t openHandles = 0, leftovers = 0;  // leftovers: files other than the two lists
  std::vector<std::pair<std::wstring, std::wstring>> calls{};
  std::map<FileOp, int> fileCalls{};
};

// A watched key with unchanged, changed and created (a string, a number and a flagged one) values against its backup
// copy, which holds one value the key lost; two value entries, one of them present; and the user watch list naming
// both. Registry call failCall fails with status, or else call fileCall of file operation fileOp fails.
Outcome Perform(Operation operation, bool userFile, std::optional<std::size_t> failCall = {}, RegStatus status = 0,
                int fileOp = 0, int fileCall = -1) {
  World w(std::make_unique<Recorder>());
  auto& recorder = static_cast<Recorder&>(*w.real);
  const std::wstring run = w.Key(L"Run"), backup = BackupKeyFor(run), other = w.Key(L"Other");
  w.Set(run, {{L"Keep", L"k.exe"}, {L"Changed", L"new.exe"}, {L"Created", L"c.exe"}, {L"Flagged", L"evil.exe"}});
  w.Set(backup, {{L"Keep", L"k.exe"}, {L"Changed", L"old.exe"}, {L"Gone", L"gone.exe"}});
  w.Set(other, L"Stray", L"stray.exe");
  (void)w.registry.WriteRawValue(kCurrentUser, run, L"Number", {kRegDword, {std::byte{7}, {}, {}, {}}});
  w.WatchKey(run);
  for (const wchar_t* name : {L"Stray", L"Flagged"}) {
    w.WatchValue(L"Watch", other, name);
    if (userFile)
      w.files.contents[kUserList] +=
          ToAnsi(L"2026-01-01 00:00:00\tHKEY_CURRENT_USER\\" + other + L"\\" + name + L"\r\n");
  }
  if (operation == Operation::OkAsScanned || operation == Operation::OkInverted) w.Scan(kScanCompare);
  ChangeList& list = w.dialog.LoadHidden();
  for (std::size_t r = 0; operation == Operation::OkInverted && r < list.Count(); ++r)
    list.Row(r).Checked = !list.Row(r).Checked;
  recorder.calls.clear();
  std::size_t calls = 0;
  if (failCall)
    recorder.memory.SetFaultHook([&](RegCall) { return calls++ == *failCall ? std::optional(status) : std::nullopt; });
  if (fileCall >= 0) w.files.FailCall(FileOp(fileOp), fileCall);
  const auto userFileNow = [&w] { return w.files.contents.contains(kUserList) ? w.files.contents[kUserList] : ""; };
  Outcome outcome{.userFileBefore = userFileNow()};
  if (operation <= Operation::Compare) {
    w.Scan(std::array{kScanBackup, kScanRestore, kScanCompare}[static_cast<std::size_t>(operation)]);
    outcome.rows = w.Rows();
  } else {
    w.dialog.BrixButton1_Click();
  }
  recorder.memory.SetFaultHook(nullptr);
  for (const auto& [root, key] : {std::pair{kCurrentUser, run},
                                  {kCurrentUser, backup},
                                  {kCurrentUser, other},
                                  {kLocalMachine, std::wstring(kProgramKey)}}) {
    for (const StoredValue& value : recorder.memory.Values(root, key))
      outcome.state[std::to_wstring(root) + L":" + ToLower(key) + L"|" + ToLower(value.name)] = value;
  }
  outcome.fileCalls = w.files.calls;
  for (const auto& [path, bytes] : w.files.contents) outcome.leftovers += !path.ends_with(L".ini");
  outcome.userFile = userFileNow();
  outcome.openHandles = recorder.memory.OpenHandleCount();
  outcome.calls = recorder.calls;
  return outcome;
}

// The folded names of the values a failed call may rightly leave different.
std::set<std::wstring> Affected(const Outcome& clean, std::size_t i, const Snapshot& start) {
  const auto& [key, name] = clean.calls[i];
  // A path is opened one key at a time, so "<" and ">" look past the other opens and closes on the way.
  if (name == L">" || name == L"<") {
    const bool forward = name == L">";
    for (std::size_t j = forward ? i + 1 : i - 1; j < clean.calls.size(); j = forward ? j + 1 : j - 1)
      if (clean.calls[j].second != L">" && clean.calls[j].second != L"<") return Affected(clean, j, start);
    return {};
  }
  if (name != L"*") return {name};
  std::set<std::wstring> names;
  for (const auto& [entry, value] : start)
    if (entry.starts_with(key + L"|")) names.insert(entry.substr(key.size() + 1));
  return names;
}

std::set<std::string> LinesOf(const std::string& text) {
  std::set<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.insert(line);
  return lines;
}

TEST(Faults, EveryRegistryCallAndEveryFileOperationFailsInTurn) {
  const Snapshot start = Perform(Operation::Compare, true).state;
  for (const bool userFile : {true, false}) {
    for (const Operation op :
         {Operation::Backup, Operation::Restore, Operation::Compare, Operation::OkAsScanned, Operation::OkInverted}) {
      const Outcome clean = Perform(op, userFile);
      ASSERT_GT(clean.calls.size(), 20u) << "the sweep must have calls to fail";
      const std::set<std::string> oldLines = LinesOf(clean.userFileBefore), newLines = LinesOf(clean.userFile);
      std::vector<std::tuple<std::size_t, RegStatus, int, int>> faults;
      for (std::size_t i = 0; i < clean.calls.size(); ++i)
        faults.insert(faults.end(), {{i, kRegAccessDenied, 0, -1}, {i, kRegFileNotFound, 0, -1}});
      for (const auto& [f, count] : clean.fileCalls)
        for (int n = 0; n < count; ++n) faults.emplace_back(0, 0, static_cast<int>(f), n);
      int bitten = 0;  // a sweep whose faults never take effect proves nothing
      for (const auto& [i, status, f, n] : faults) {
        SCOPED_TRACE(::testing::Message()
                     << "file " << userFile << ", operation " << static_cast<int>(op) << ": "
                     << (n < 0 ? "registry call " + std::to_string(i) + " on " + ToAnsi(clean.calls[i].first)
                               : "call " + std::to_string(n) + " of file operation " + std::to_string(f)));
        const Outcome faulted = Perform(op, userFile, n < 0 ? std::optional(i) : std::nullopt, status, f, n);
        const std::set<std::wstring> affected = n < 0 ? Affected(clean, i, start) : std::set<std::wstring>{};
        EXPECT_EQ(faulted.openHandles, 0u) << "a key stayed open";
        bitten += faulted.state != clean.state || faulted.rows != clean.rows || faulted.userFile != clean.userFile;
        // A Restore that cannot list its copy changes nothing; a value whose removal was not written down stays.
        const bool restoredNothing = op == Operation::Restore && faulted.state == start;
        for (const Snapshot* state : {&clean.state, &faulted.state}) {
          for (const auto& [entry, value] : *state) {
            if (affected.contains(entry.substr(entry.find(L'|') + 1)) || restoredNothing) continue;
            if (n >= 0 && !clean.state.contains(entry)) continue;
            EXPECT_TRUE(clean.state.contains(entry) && faulted.state.contains(entry) &&
                        clean.state.at(entry) == faulted.state.at(entry))
                << "work on another value was skipped or went wrong: " << ToAnsi(entry);
          }
        }
        EXPECT_TRUE(n >= 0 || faulted.userFile == clean.userFile)
            << "a registry failure changed the user watch-list file";
        // A failing write first writes half, as a full disk does; the file is never left cut or short of a kept line.
        const std::set<std::string> lines = LinesOf(faulted.userFile);
        for (const std::string& line : lines) EXPECT_TRUE(oldLines.contains(line) || newLines.contains(line)) << line;
        for (const std::string& line : oldLines) EXPECT_TRUE(!newLines.contains(line) || lines.contains(line)) << line;
        EXPECT_TRUE(faulted.userFile.empty() || faulted.userFile.ends_with("\r\n")) << "the file was cut short";
        EXPECT_EQ(faulted.leftovers, 0u) << "a temporary file stayed behind";
        if (op != Operation::Compare) continue;
        EXPECT_EQ(faulted.state, start) << "Compare wrote to the registry";
        auto rows = faulted.rows, cleanRows = clean.rows;
        for (auto* list : {&rows, &cleanRows})
          std::erase_if(*list, [&](auto& r) { return affected.contains(ToLower(r.Field(1))); });
        EXPECT_EQ(rows, cleanRows) << "a failure on one value cost the rows of others";
      }
      EXPECT_GT(bitten, 0) << "no injected fault changed anything";
    }
  }
}

}  // namespace
}  // namespace tavrel::test
