// Every registry call of a Backup, a Restore, a Compare and the review
// dialog's OK action is made to fail in turn, with "access denied" and with
// "not found". Whatever fails, nothing crashes, no key stays open, and every
// value the failed call was not about ends as it does when nothing fails:
// one failure never makes the rest of the work be skipped.
#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/faults/fault_world.h"

namespace tavrel::faults {
namespace {

enum class Operation { Backup, Restore, Compare, OkAsScanned, OkInverted };
const char* const kOperationNames[] = {"Backup", "Restore", "Compare", "OK (marks as scanned)",
                                       "OK (every mark inverted)"};

struct Outcome {
  Snapshot state;
  std::vector<ChangeRow> rows;  // Compare's rows
  std::string userFile;
  std::size_t openHandles = 0;
  std::vector<CallRecord> calls;  // of the operation only
};

// Runs the operation in a fresh world; call number failCall (if any) answers status.
Outcome RunOperation(Operation operation, std::optional<std::size_t> failCall = std::nullopt, RegStatus status = 0) {
  FaultWorld world;
  if (operation == Operation::OkAsScanned || operation == Operation::OkInverted) {
    static_cast<void>(world.Compare());
    if (operation == Operation::OkInverted) {
      ChangeList& list = world.dialog.LoadHidden();
      for (std::size_t r = 0; r < list.Count(); ++r) list.Row(r).Checked = !list.Row(r).Checked;
    }
  }
  world.recorder.calls.clear();
  std::size_t calls = 0;
  if (failCall) {
    world.memory.SetFaultHook([&calls, failCall, status](RegCall) -> std::optional<RegStatus> {
      return calls++ == *failCall ? std::optional<RegStatus>(status) : std::nullopt;
    });
  }
  Outcome outcome;
  switch (operation) {
    case Operation::Backup: world.driver.ScanWatchList(kScanBackup); break;
    case Operation::Restore: world.driver.ScanWatchList(kScanRestore); break;
    case Operation::Compare: outcome.rows = world.Compare(); break;
    default: world.dialog.BrixButton1_Click(); break;
  }
  world.memory.SetFaultHook(nullptr);
  outcome.state = world.Take();
  outcome.userFile = world.files.contents[kUserList];
  outcome.openHandles = world.memory.OpenHandleCount();
  outcome.calls = world.recorder.calls;
  return outcome;
}

// The folded names of the values a failed call can rightly leave different:
// the value it read, wrote or deleted; the values a listing had not reached;
// every value of a key it failed to open or delete. Opening and closing a key
// belong to the call they serve.
using Names = std::set<std::wstring>;
Names NamesAffected(const std::vector<CallRecord>& calls, std::size_t i, const FaultWorld& start) {
  const CallRecord& call = calls[i];
  const std::vector<std::wstring> listed = start.Names(call.path);
  switch (call.call) {
    case RegCall::QueryValue:
    case RegCall::SetValue:
    case RegCall::DeleteValue: return {ToLower(call.name)};
    case RegCall::EnumValue: return {listed.begin() + std::min<std::size_t>(call.index, listed.size()), listed.end()};
    case RegCall::OpenKeyEx:
    case RegCall::DeleteKey: return {listed.begin(), listed.end()};
    case RegCall::OpenKey:
    case RegCall::CreateKey: return i + 1 < calls.size() ? NamesAffected(calls, i + 1, start) : Names{};
    case RegCall::CloseKey: return i > 0 ? NamesAffected(calls, i - 1, start) : Names{};
  }
  return {};
}

std::vector<ChangeRow> Without(const std::vector<ChangeRow>& rows, const Names& names) {
  std::vector<ChangeRow> kept;
  for (const ChangeRow& row : rows) {
    if (!names.contains(ToLower(row.Field(1)))) kept.push_back(row);
  }
  return kept;
}

std::string Narrow(const std::wstring& text) { return {text.begin(), text.end()}; }

std::string Describe(const CallRecord& call) {
  static const char* const kNames[] = {"OpenKey", "OpenKeyEx", "CreateKey", "QueryValue", "SetValue",
                                       "EnumValue", "DeleteKey", "DeleteValue", "CloseKey"};
  return std::string(kNames[static_cast<int>(call.call)]) + " on " + Narrow(call.path) + " value " +
         Narrow(call.name) + " index " + std::to_string(call.index);
}

// Runs the operation once cleanly, then once per call and failure status.
void Sweep(Operation operation) {
  const char* name = kOperationNames[static_cast<int>(operation)];
  const Outcome clean = RunOperation(operation);
  const FaultWorld start;
  const Snapshot initial = start.Take();
  EXPECT_EQ(clean.openHandles, 0u);
  ASSERT_GT(clean.calls.size(), 20u) << "the sweep must have calls to fail";
  for (std::size_t i = 0; i < clean.calls.size(); ++i) {
    for (const RegStatus status : {kRegAccessDenied, kRegFileNotFound}) {
      SCOPED_TRACE(std::string(name) + ", call " + std::to_string(i) + " fails with " + std::to_string(status) +
                   ": " + Describe(clean.calls[i]));
      const Outcome faulted = RunOperation(operation, i, status);
      const Names affected = NamesAffected(clean.calls, i, start);
      EXPECT_EQ(faulted.openHandles, 0u) << "a key stayed open";
      EXPECT_EQ(faulted.userFile, clean.userFile) << "a registry failure changed the user watch-list file";
      std::set<std::wstring> entries;
      for (const Snapshot* state : {&clean.state, &faulted.state}) {
        for (const auto& [entry, value] : *state) entries.insert(entry);
      }
      for (const std::wstring& entry : entries) {
        if (affected.contains(entry.substr(entry.find(L'|') + 1))) continue;
        const auto inClean = clean.state.find(entry);
        const auto inFaulted = faulted.state.find(entry);
        const bool same = (inClean == clean.state.end()) == (inFaulted == faulted.state.end()) &&
                          (inClean == clean.state.end() || inClean->second == inFaulted->second);
        EXPECT_TRUE(same) << "work on another value was skipped or went wrong: " << Narrow(entry);
      }
      if (operation == Operation::Compare) {
        EXPECT_EQ(faulted.state, initial) << "Compare wrote to the registry";
        EXPECT_EQ(Without(faulted.rows, affected), Without(clean.rows, affected));
      }
    }
  }
  std::cout << "[ fault points ] " << name << ": " << clean.calls.size() << " registry calls x 2 failures\n";
}

TEST(RegistryFaults, EveryCallOfABackupFailsInTurn) { Sweep(Operation::Backup); }
TEST(RegistryFaults, EveryCallOfARestoreFailsInTurn) { Sweep(Operation::Restore); }
TEST(RegistryFaults, EveryCallOfACompareFailsInTurn) { Sweep(Operation::Compare); }
TEST(RegistryFaults, EveryCallOfTheOkActionFailsInTurn) {
  Sweep(Operation::OkAsScanned);
  Sweep(Operation::OkInverted);
}

// The sweeps only mean something if the clean runs do the work they check.
TEST(RegistryFaults, CleanRunsDoTheirWork) {
  std::vector<std::wstring> kinds;
  for (const ChangeRow& row : RunOperation(Operation::Compare).rows) {
    kinds.push_back(row.Field(0) + L" " + row.Field(1));
  }
  EXPECT_EQ(kinds, (std::vector<std::wstring>{L"Changed Changed", L"Created Created", L"Created Expand",
                                              L"Created Flagged", L"Deleted Gone", L"Watch Stray"}));
  const std::wstring watched = KeyId(kCurrentUser, kWatched) + L"|", backup = KeyId(kCurrentUser, kBackup) + L"|";
  const Outcome backedUp = RunOperation(Operation::Backup);
  EXPECT_FALSE(backedUp.state.contains(backup + L"gone"));
  EXPECT_TRUE(backedUp.state.contains(backup + L"expand"));
  const Outcome restored = RunOperation(Operation::Restore);
  EXPECT_TRUE(restored.state.contains(watched + L"gone"));
  EXPECT_FALSE(restored.state.contains(watched + L"created"));
  const Outcome ok = RunOperation(Operation::OkInverted);
  EXPECT_EQ(ok.state.at(watched + L"changed").bytes, ok.state.at(backup + L"changed").bytes);
  EXPECT_NE(ok.userFile.find("Software\\FaultHost\\Run\\Created"), std::string::npos);
}

}  // namespace
}  // namespace tavrel::faults
