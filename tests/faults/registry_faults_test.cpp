// Every registry call of a Backup, a Restore, a Compare and the review
// dialog's OK action is made to fail in turn, with "access denied" and with
// "not found". Whatever fails, nothing crashes, no key stays open, and every
// value the failed call was not about ends as it does when nothing fails:
// one failure never makes the rest of the work be skipped.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/text.h"
#include "tests/faults/fault_world.h"

namespace tavrel::faults {
namespace {

enum class Operation { Backup, Restore, Compare, OkAsScanned, OkInverted };

const char* NameOf(Operation operation) {
  switch (operation) {
    case Operation::Backup: return "Backup";
    case Operation::Restore: return "Restore";
    case Operation::Compare: return "Compare";
    case Operation::OkAsScanned: return "OK (marks as scanned)";
    case Operation::OkInverted: return "OK (every mark inverted)";
  }
  return "?";
}

struct Fault {
  std::size_t callNumber;
  RegStatus status;
};

struct Outcome {
  Snapshot state;
  std::vector<ChangeRow> rows;  // Compare's rows
  std::string userFile;
  std::size_t openHandles = 0;
  std::vector<CallRecord> calls;  // of the operation only
};

Outcome RunOperation(Operation operation, std::optional<Fault> fault) {
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
  if (fault) {
    world.memory.SetFaultHook([&calls, fault](RegCall) -> std::optional<RegStatus> {
      return calls++ == fault->callNumber ? std::optional<RegStatus>(fault->status) : std::nullopt;
    });
  }
  Outcome outcome;
  switch (operation) {
    case Operation::Backup: world.driver.ScanWatchList(kScanBackup); break;
    case Operation::Restore: world.driver.ScanWatchList(kScanRestore); break;
    case Operation::Compare: outcome.rows = world.Compare(); break;
    case Operation::OkAsScanned:
    case Operation::OkInverted: world.dialog.BrixButton1_Click(); break;
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
// every value of a key it failed to delete. Opening and closing a key belong
// to the call they serve.
std::set<std::wstring> NamesAffected(const std::vector<CallRecord>& calls, std::size_t i, const FaultWorld& start) {
  const CallRecord& call = calls[i];
  std::set<std::wstring> names;
  auto fromListing = [&](std::size_t first) {
    const std::vector<std::wstring> listed = start.InitialNames(call.path);
    for (std::size_t n = first; n < listed.size(); ++n) names.insert(listed[n]);
  };
  switch (call.call) {
    case RegCall::QueryValue:
    case RegCall::SetValue:
    case RegCall::DeleteValue: names.insert(ToLower(call.name)); break;
    case RegCall::EnumValue: fromListing(call.index); break;
    case RegCall::OpenKeyEx:
    case RegCall::DeleteKey: fromListing(0); break;
    case RegCall::OpenKey:
    case RegCall::CreateKey:
      if (i + 1 < calls.size()) names = NamesAffected(calls, i + 1, start);
      break;
    case RegCall::CloseKey:
      if (i > 0) names = NamesAffected(calls, i - 1, start);
      break;
  }
  return names;
}

std::wstring NameOfEntry(const std::wstring& entry) { return entry.substr(entry.find(L'|') + 1); }

std::vector<ChangeRow> Without(const std::vector<ChangeRow>& rows, const std::set<std::wstring>& names) {
  std::vector<ChangeRow> kept;
  for (const ChangeRow& row : rows) {
    if (!names.contains(ToLower(row.Field(1)))) kept.push_back(row);
  }
  return kept;
}

std::string Describe(const CallRecord& call) {
  static const char* const kNames[] = {"OpenKey", "OpenKeyEx", "CreateKey", "QueryValue", "SetValue",
                                       "EnumValue", "DeleteKey", "DeleteValue", "CloseKey"};
  std::string text = kNames[static_cast<int>(call.call)];
  text += " on " + std::string(call.path.begin(), call.path.end());
  if (!call.name.empty()) text += " value " + std::string(call.name.begin(), call.name.end());
  if (call.call == RegCall::EnumValue) text += " index " + std::to_string(call.index);
  return text;
}

// Runs the operation once cleanly, then once per call and failure status;
// answers the number of fault points.
std::size_t Sweep(Operation operation) {
  const Outcome clean = RunOperation(operation, std::nullopt);
  const FaultWorld start;
  const Snapshot initial = start.Take();
  EXPECT_EQ(clean.openHandles, 0u);
  EXPECT_GT(clean.calls.size(), 20u) << "the sweep must have calls to fail";
  std::size_t points = 0;
  for (std::size_t i = 0; i < clean.calls.size(); ++i) {
    for (const RegStatus status : {kRegAccessDenied, kRegFileNotFound}) {
      ++points;
      SCOPED_TRACE(std::string(NameOf(operation)) + ", call " + std::to_string(i) + " fails with " +
                   std::to_string(status) + ": " + Describe(clean.calls[i]));
      const Outcome faulted = RunOperation(operation, Fault{i, status});
      const std::set<std::wstring> affected = NamesAffected(clean.calls, i, start);
      EXPECT_EQ(faulted.openHandles, 0u) << "a key stayed open";
      EXPECT_EQ(faulted.userFile, clean.userFile) << "a registry failure changed the user watch-list file";

      std::set<std::wstring> entries;
      for (const auto& [entry, value] : clean.state) entries.insert(entry);
      for (const auto& [entry, value] : faulted.state) entries.insert(entry);
      for (const std::wstring& entry : entries) {
        if (affected.contains(NameOfEntry(entry))) continue;
        const auto inClean = clean.state.find(entry);
        const auto inFaulted = faulted.state.find(entry);
        const bool same = (inClean == clean.state.end()) == (inFaulted == faulted.state.end()) &&
                          (inClean == clean.state.end() || inClean->second == inFaulted->second);
        EXPECT_TRUE(same) << "work on another value was skipped or went wrong: "
                          << std::string(entry.begin(), entry.end());
      }
      if (operation == Operation::Compare) {
        EXPECT_EQ(faulted.state, initial) << "Compare wrote to the registry";
        EXPECT_EQ(Without(faulted.rows, affected), Without(clean.rows, affected));
      }
    }
  }
  std::cout << "[ fault points ] " << NameOf(operation) << ": " << points << " (" << clean.calls.size()
            << " registry calls x 2 failures)\n";
  return points;
}

TEST(RegistryFaults, EveryCallOfABackupFailsInTurn) { EXPECT_GT(Sweep(Operation::Backup), 0u); }
TEST(RegistryFaults, EveryCallOfARestoreFailsInTurn) { EXPECT_GT(Sweep(Operation::Restore), 0u); }
TEST(RegistryFaults, EveryCallOfACompareFailsInTurn) { EXPECT_GT(Sweep(Operation::Compare), 0u); }
TEST(RegistryFaults, EveryCallOfTheOkActionFailsInTurn) {
  EXPECT_GT(Sweep(Operation::OkAsScanned), 0u);
  EXPECT_GT(Sweep(Operation::OkInverted), 0u);
}

// The sweeps only mean something if the clean runs do the work they check.
TEST(RegistryFaults, CleanRunsDoTheirWork) {
  const Outcome compare = RunOperation(Operation::Compare, std::nullopt);
  std::vector<std::wstring> kinds;
  for (const ChangeRow& row : compare.rows) kinds.push_back(row.Field(0) + L" " + row.Field(1));
  EXPECT_EQ(kinds, (std::vector<std::wstring>{L"Changed Changed", L"Created Created", L"Created Expand",
                                              L"Created Flagged", L"Deleted Gone", L"Watch Stray"}));
  const Outcome backup = RunOperation(Operation::Backup, std::nullopt);
  EXPECT_FALSE(backup.state.contains(KeyId(kCurrentUser, kBackup) + L"|gone"));
  EXPECT_TRUE(backup.state.contains(KeyId(kCurrentUser, kBackup) + L"|expand"));
  const Outcome restore = RunOperation(Operation::Restore, std::nullopt);
  EXPECT_TRUE(restore.state.contains(KeyId(kCurrentUser, kWatched) + L"|gone"));
  EXPECT_FALSE(restore.state.contains(KeyId(kCurrentUser, kWatched) + L"|created"));
  const Outcome ok = RunOperation(Operation::OkInverted, std::nullopt);
  EXPECT_EQ(ok.state.at(KeyId(kCurrentUser, kWatched) + L"|changed").bytes,
            ok.state.at(KeyId(kCurrentUser, kBackup) + L"|changed").bytes);
  EXPECT_NE(ok.userFile.find("Software\\FaultHost\\Run\\Created"), std::string::npos);
}

}  // namespace
}  // namespace tavrel::faults
