#include "watchlist/user_watch_list.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/system.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/fakes/temp_folder.h"

namespace tavrel {
namespace {

class UserWatchListTest : public ::testing::Test {
 protected:
  void WriteUserFile(const std::string& bytes) { folder_.Write("tavrel-user.ini", bytes); }
  std::optional<std::string> UserFile() const { return folder_.Read("tavrel-user.ini"); }

  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = MakeSystemFileSystem();
  FakeClock clock_{{2026, 3, 14, 9, 5, 7}};
  UserWatchListWriter writer_{*files_, clock_, folder_.Folder()};
};

TEST_F(UserWatchListTest, AppendStampsOneLineAndRewritesKeptLinesTrimmed) {
  writer_.AppendUserWatchEntry(kLocalMachine, L"Software\\Example\\Run", L"Updater");
  EXPECT_EQ(UserFile(), "2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n");
  EXPECT_EQ(clock_.Reads(), 1);

  WriteUserFile("  2026-01-01 00:00:00\tHKEY_USERS\\K\\A  \r\n' a comment\r\n\r\n   \n'last without end");
  clock_.Set({2027, 1, 2, 3, 4, 5});
  writer_.AppendUserWatchEntry(kCurrentUser, L"Software\\Caf\u00E9", L"\u20AC \u0416");
  EXPECT_EQ(UserFile(),
            "2026-01-01 00:00:00\tHKEY_USERS\\K\\A\r\n' a comment\r\n\r\n\r\n'last without end\r\n"
            "2027-01-02 03:04:05\tHKEY_CURRENT_USER\\Software\\Caf\xE9\\\x80 ?\r\n");

  // An unknown root gives a path starting with a backslash; there is no duplicate check.
  WriteUserFile("");
  writer_.AppendUserWatchEntry(0x80000007u, L"K", L"V");
  writer_.AppendUserWatchEntry(0x80000007u, L"K", L"V");
  EXPECT_EQ(UserFile(), "2027-01-02 03:04:05\t\\K\\V\r\n2027-01-02 03:04:05\t\\K\\V\r\n");
}

TEST_F(UserWatchListTest, RemoveDropsEveryLineNamingTheValueUnderAnyRootIgnoringCase) {
  WriteUserFile(
      "2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n"
      "' 2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n"
      "  x\tHKEY_CURRENT_USER\\SOFTWARE\\example\\Run\\updater  \r\n"
      "x\tBOGUS\\Software\\Example\\Run\\Updater\r\n"
      "x\tHKEY_CURRENT_USER\\Example\\Run\\Updater\r\n"     // shorter key path
      "x\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Updater2\r\n"
      "x\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Updater\tnote\r\n"  // second TAB stays in the name
      "x\tHKEY_USERS\\Software\\Example\\Run\\Updater");
  writer_.RemoveUserWatchEntry(L"software\\example\\run", L"UPDATER");
  EXPECT_EQ(UserFile(),
            "' 2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n"
            "x\tHKEY_CURRENT_USER\\Example\\Run\\Updater\r\n"
            "x\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Updater2\r\n"
            "x\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Updater\tnote\r\n");

  WriteUserFile("x\tHKEY_USERS\\CAF\xC9\\\xC9T\xC9\r\n");  // folding covers accented letters
  writer_.RemoveUserWatchEntry(L"caf\u00E9", L"\u00E9t\u00E9");
  EXPECT_EQ(UserFile(), "");
}

TEST_F(UserWatchListTest, RemoveWritesBackLinesItCannotTakeApartAndOtherwiseOnlyTrims) {
  writer_.RemoveUserWatchEntry(L"K", L"V");
  EXPECT_FALSE(folder_.Exists("tavrel-user.ini"));  // a missing file stays missing
  WriteUserFile("  no tab here  \r\nx\tHKEY_USERS\\V\r\nx\tHKEY_USERS\r\n\r\n  ' c\r\nx\tHKEY_USERS\\K\\V");
  writer_.RemoveUserWatchEntry(L"", L"V");
  writer_.RemoveUserWatchEntry(L"K", L"other");
  EXPECT_EQ(UserFile(), "no tab here\r\nx\tHKEY_USERS\\V\r\nx\tHKEY_USERS\r\n\r\n' c\r\nx\tHKEY_USERS\\K\\V\r\n");
}

TEST_F(UserWatchListTest, AFailedReadOrRewriteLeavesTheOldFileWholeAndNoFileBehind) {
  const std::string old = "  a\tHKEY_USERS\\K\\V\r\n' keep me";
  for (FileOp failing : {FileOp::ReadAll, FileOp::WriteAndFlush, FileOp::ReplaceWith}) {
    WriteUserFile(old);
    FaultyFileSystem faulty(*files_);
    faulty.FailAlways(failing);
    UserWatchListWriter writer(faulty, clock_, folder_.Folder());
    writer.AppendUserWatchEntry(kCurrentUser, L"K", L"New");
    writer.RemoveUserWatchEntry(L"K", L"V");
    EXPECT_EQ(UserFile(), old);
    EXPECT_EQ(folder_.Names(), std::vector<std::string>{"tavrel-user.ini"});
    EXPECT_TRUE(failing != FileOp::ReadAll || faulty.CallCount(FileOp::WriteAndFlush) == 0) << "rewritten unread";
  }
  files_->Remove(folder_.PathOf(L"tavrel-user.ini"));
  FaultyFileSystem faulty(*files_);
  faulty.FailAlways(FileOp::WriteAndFlush);
  UserWatchListWriter(faulty, clock_, folder_.Folder()).AppendUserWatchEntry(kCurrentUser, L"K", L"New");
  EXPECT_TRUE(folder_.Names().empty());
}

}  // namespace
}  // namespace tavrel
