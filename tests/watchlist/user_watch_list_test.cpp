#include "watchlist/user_watch_list.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_clock.h"
#include "tests/fuzz/memory_files.h"

namespace tavrel {
namespace {

const std::wstring kFile = L"C:\\T\\tavrel-user.ini";

TEST(UserWatchList, AppendStampsOneLineAndRewritesTheKeptLinesTrimmed) {
  fuzz::MemoryFiles files;
  FakeClock clock({2026, 3, 14, 9, 5, 7});
  UserWatchListWriter writer(files, clock, L"C:\\T");
  writer.AppendUserWatchEntry(kLocalMachine, L"Software\\Example\\Run", L"Updater");
  EXPECT_EQ(files.contents[kFile], "2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n");
  files.contents[kFile] = "  2026-01-01 00:00:00\tHKEY_USERS\\K\\A  \r\n' a comment\r\n\r\n   \n'last without end";
  clock.Set({2027, 10, 2, 0, 4, 59});
  writer.AppendUserWatchEntry(kCurrentUser, L"Software\\Caf\u00E9", L"\u20AC \u0416");
  // An unknown root gives a path starting with a backslash; there is no duplicate check; a line
  // break in a name becomes '?', or the rest of the name would be a line of its own.
  writer.AppendUserWatchEntry(0x80000007u, L"K", L"V");
  writer.AppendUserWatchEntry(0x80000007u, L"K", L"V");
  writer.AppendUserWatchEntry(kUsers, L"K\r", L"x\r\nMONITOR\tHKEY_USERS\\K\ny");
  EXPECT_EQ(files.contents[kFile],
            "2026-01-01 00:00:00\tHKEY_USERS\\K\\A\r\n' a comment\r\n\r\n\r\n'last without end\r\n"
            "2027-10-02 00:04:59\tHKEY_CURRENT_USER\\Software\\Caf\xE9\\\x80 ?\r\n"
            "2027-10-02 00:04:59\t\\K\\V\r\n2027-10-02 00:04:59\t\\K\\V\r\n"
            "2027-10-02 00:04:59\tHKEY_USERS\\K?\\x??MONITOR\tHKEY_USERS\\K?y\r\n");
}

TEST(UserWatchList, RemoveDropsEveryLineNamingTheValueUnderAnyRootIgnoringCaseAndOnlyTrimsTheRest) {
  fuzz::MemoryFiles files;
  const FakeClock clock;
  UserWatchListWriter writer(files, clock, L"C:\\T");
  writer.RemoveUserWatchEntry(L"K", L"V");
  EXPECT_FALSE(files.contents.contains(kFile));  // a missing file stays missing
  files.contents[kFile] =
      "2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n"
      "' 2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n"
      "  x\tHKEY_CURRENT_USER\\SOFTWARE\\example\\Run\\updater  \r\nx\tBOGUS\\Software\\Example\\Run\\Updater\r\n"
      "x\tHKEY_USERS\\CAF\xC9\\\xC9T\xC9\r\n"                            // folding covers accented letters
      "x\tHKEY_CURRENT_USER\\Example\\Run\\Updater\r\n"                   // shorter key path
      "x\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Updater2\r\n"
      "x\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Updater\tnote\r\n"  // a second TAB stays in the name
      "  no tab Software\\Example\\Run\\Updater  \r\nx\tHKEY_USERS\\Updater\r\n\r\n  ' c\r\n"
      "x\tHKEY_USERS\\Software\\Example\\Run\\Updater";
  writer.RemoveUserWatchEntry(L"software\\example\\run", L"UPDATER");
  writer.RemoveUserWatchEntry(L"caf\u00E9", L"\u00E9t\u00E9");
  writer.RemoveUserWatchEntry(L"", L"Updater");
  EXPECT_EQ(files.contents[kFile],
            "' 2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n"
            "x\tHKEY_CURRENT_USER\\Example\\Run\\Updater\r\nx\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Updater2\r\n"
            "x\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Updater\tnote\r\n"
            "no tab Software\\Example\\Run\\Updater\r\nx\tHKEY_USERS\\Updater\r\n\r\n' c\r\n");
}

}  // namespace
}  // namespace tavrel
