// Findings of the fuzz targets, each kept as a test of the rule it broke.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "tests/fuzz/memory_files.h"
#include "watchlist/user_watch_list.h"
#include "watchlist/watch_list.h"

namespace tavrel::fuzz {
namespace {

class NoonClock final : public Clock {
 public:
  [[nodiscard]] LocalTime Now() const override { return {2026, 5, 6, 12, 0, 0}; }
};

// A value's name with a line break once wrote a line of its own into the user
// watch-list file: here a MONITOR line that the next start would have obeyed.
TEST(FuzzFindings, AppendedNameWithLineBreaksStaysOneInertLine) {
  MemoryFiles files;
  const NoonClock clock;
  UserWatchListWriter writer(files, clock, L"C:\\Tavrel");
  writer.AppendUserWatchEntry(kCurrentUser, L"Software\\Run", L"x\r\nMONITOR\tHKEY_CURRENT_USER\\Software\ny");
  EXPECT_EQ(files.contents[L"C:\\Tavrel\\tavrel-user.ini"],
            "2026-05-06 12:00:00\tHKEY_CURRENT_USER\\Software\\Run\\x??MONITOR\tHKEY_CURRENT_USER\\Software?y\r\n");

  WatchList list;
  list.LoadWatchList(files, L"C:\\Tavrel");
  ASSERT_EQ(list.WatchEntries.size(), 1u);
  EXPECT_EQ(list.WatchEntries[0].Label, L"2026-05-06 12:00:00");
}

}  // namespace
}  // namespace tavrel::fuzz
