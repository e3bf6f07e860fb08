// Every file operation of the user watch-list writer is made to fail in turn
// (the existence test, the read, the write of the new copy -- which first
// writes half of it, as a full disk does -- and the rename over the old file),
// on the real file system of a temporary folder and inside the review
// dialog's OK action. Whatever fails, the file is either the old one, byte
// for byte, or the finished new one: never cut short, never half written.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "tests/fakes/temp_folder.h"
#include "tests/faults/fault_world.h"

namespace tavrel::faults {
namespace {

constexpr FileOp kOps[] = {FileOp::FileLength, FileOp::ReadAll, FileOp::WriteAndFlush, FileOp::ReplaceWith,
                           FileOp::Remove};
const char* const kOpNames[] = {"FileLength", "ReadAll", "WriteAndFlush", "ReplaceWith", "Remove"};
const char* NameOf(FileOp op) { return kOpNames[static_cast<int>(op)]; }

constexpr char kOldFile[] =
    "' kept comment\r\n"
    "2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n"
    "2026-03-14 09:05:07\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Other\r\n";
constexpr char kStamp[] = "2026-08-09 10:11:12\t";

using Plan = std::function<void(FaultyFileSystem&)>;

struct Scenario {
  const char* name;
  bool fileExists;
  bool append;  // else removes the line naming Other
};
constexpr Scenario kScenarios[] = {{"append to the file", true, true},
                                   {"append, no file yet", false, true},
                                   {"remove a line", true, false},
                                   {"remove, no file", false, false}};

struct FileRun {
  std::optional<std::string> content;
  std::vector<std::string> names;  // files in the folder afterwards
  int calls[5] = {};
};

// One run of a scenario in a fresh folder; plan marks the calls that fail.
// Once the fault is gone, the writer works on whatever was left.
FileRun RunScenario(const Scenario& scenario, const Plan& plan) {
  TempFolder folder;
  if (scenario.fileExists) folder.Write("tavrel-user.ini", kOldFile);
  PosixFileSystem real;
  FaultyFileSystem faulty(real);
  plan(faulty);
  const StillClock clock;
  UserWatchListWriter writer(faulty, clock, folder.Folder());
  if (scenario.append) {
    writer.AppendUserWatchEntry(kCurrentUser, L"Software\\Run", L"New");
  } else {
    writer.RemoveUserWatchEntry(L"Software\\Example\\Run", L"Other");
  }
  FileRun run{folder.Read("tavrel-user.ini"), folder.Names()};
  for (const FileOp op : kOps) run.calls[static_cast<int>(op)] = faulty.CallCount(op);

  faulty.Heal();
  writer.AppendUserWatchEntry(kLocalMachine, L"Software\\Later", L"Value");
  EXPECT_EQ(folder.Read("tavrel-user.ini"),
            run.content.value_or("") + kStamp + "HKEY_LOCAL_MACHINE\\Software\\Later\\Value\r\n");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"tavrel-user.ini"}) << "a temporary file stayed behind";
  return run;
}

TEST(FileFaults, EveryFileOperationOfTheWriterFailsInTurn) {
  // Among what this found: a failed existence test made the writer take the
  // file for missing, so an append replaced every line with its own.
  std::size_t points = 0;
  for (const Scenario& scenario : kScenarios) {
    const FileRun clean = RunScenario(scenario, [](FaultyFileSystem&) {});
    const std::optional<std::string> old = scenario.fileExists ? std::optional<std::string>(kOldFile) : std::nullopt;
    for (const FileOp op : kOps) {
      for (int n = 0; n < clean.calls[static_cast<int>(op)]; ++n, ++points) {
        SCOPED_TRACE(std::string(scenario.name) + ": " + NameOf(op) + " call " + std::to_string(n) + " fails");
        const FileRun faulted = RunScenario(scenario, [op, n](FaultyFileSystem& f) { f.FailCall(op, n); });
        EXPECT_TRUE(faulted.content == old || faulted.content == clean.content)
            << "the file is neither the old one nor the new one: " << faulted.content.value_or("<none>");
        EXPECT_EQ(faulted.names, faulted.content ? std::vector<std::string>{"tavrel-user.ini"}
                                                 : std::vector<std::string>{})
            << "a temporary file stayed behind";
      }
    }
    // Two failures at once: the copy cannot be written or renamed, and then not removed either.
    if (!scenario.fileExists) continue;
    for (const FileOp op : {FileOp::WriteAndFlush, FileOp::ReplaceWith}) {
      ++points;
      SCOPED_TRACE(std::string(scenario.name) + ": " + NameOf(op) + " and Remove fail");
      const FileRun faulted = RunScenario(scenario, [op](FaultyFileSystem& f) {
        f.FailAlways(op);
        f.FailAlways(FileOp::Remove);
      });
      EXPECT_EQ(faulted.content, kOldFile);
    }
  }
  std::cout << "[ fault points ] user watch-list writer: " << points << "\n";
  EXPECT_GT(points, 10u);
}

std::set<std::string> LinesOf(const std::string& text) {
  std::set<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.insert(line);
  return lines;
}

// The OK action writes the user watch-list file between registry calls: a
// failed file operation must not stop the rows after it from being applied.
TEST(FileFaults, EveryFileOperationOfTheOkActionFailsInTurn) {
  std::size_t points = 0;
  const std::set<std::string> oldLines = LinesOf(FaultWorld().files.contents[kUserList]);
  for (const bool inverted : {false, true}) {
    auto run = [inverted](const Plan& plan) {
      auto world = std::make_unique<FaultWorld>();
      static_cast<void>(world->Compare());
      ChangeList& list = world->dialog.LoadHidden();
      for (std::size_t r = 0; inverted && r < list.Count(); ++r) list.Row(r).Checked = !list.Row(r).Checked;
      plan(world->faultyFiles);
      world->dialog.BrixButton1_Click();
      world->faultyFiles.Heal();
      return world;
    };
    const auto clean = run([](FaultyFileSystem&) {});
    const std::set<std::string> newLines = LinesOf(clean->files.contents[kUserList]);
    ASSERT_NE(clean->files.contents[kUserList], FaultWorld().files.contents[kUserList])
        << "the clean OK action must write the file";
    for (const FileOp op : kOps) {
      for (int n = 0; n < clean->faultyFiles.CallCount(op); ++n, ++points) {
        SCOPED_TRACE(std::string(inverted ? "inverted marks: " : "marks as scanned: ") + NameOf(op) + " call " +
                     std::to_string(n) + " fails");
        const auto faulted = run([op, n](FaultyFileSystem& f) { f.FailCall(op, n); });
        EXPECT_EQ(faulted->Take(), clean->Take()) << "a file failure stopped rows from being applied";
        const std::string& content = faulted->files.contents[kUserList];
        const std::set<std::string> lines = LinesOf(content);
        for (const std::string& line : lines) {
          EXPECT_TRUE(oldLines.contains(line) || newLines.contains(line)) << "a line from neither file: " << line;
        }
        for (const std::string& line : oldLines) {
          EXPECT_TRUE(!newLines.contains(line) || lines.contains(line)) << "a kept line was lost: " << line;
        }
        EXPECT_TRUE(content.empty() || content.ends_with("\r\n")) << "the file was cut short";
        EXPECT_FALSE(faulted->files.contents.contains(std::wstring(kUserList) + L".tmp"));
      }
    }
  }
  std::cout << "[ fault points ] OK action file operations: " << points << "\n";
  EXPECT_GT(points, 5u);
}

}  // namespace
}  // namespace tavrel::faults
