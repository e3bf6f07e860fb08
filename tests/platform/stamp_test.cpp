#include <gtest/gtest.h>

#include "platform/clock.h"
#include "tests/fakes/fake_clock.h"

namespace tavrel {
namespace {

TEST(Stamps, PadMonthDayAndTimePiecesButNotTheYear) {
  EXPECT_EQ(DateStamp({2027, 3, 5, 0, 0, 0}), L"2027-03-05");
  EXPECT_EQ(DateStamp({2026, 12, 31, 0, 0, 0}), L"2026-12-31");
  EXPECT_EQ(DateStamp({987, 10, 1, 0, 0, 0}), L"987-10-01");
  EXPECT_EQ(TimeStamp({0, 0, 0, 9, 5, 7}), L"09:05:07");
  EXPECT_EQ(TimeStamp({0, 0, 0, 21, 0, 0}), L"21:00:00");
  EXPECT_EQ(TimeStamp({0, 0, 0, 0, 59, 10}), L"00:59:10");
}

TEST(Stamps, EntryStampReadsTheClockOnce) {
  FakeClock clock({2026, 3, 14, 23, 59, 59});
  EXPECT_EQ(EntryStamp(clock), L"2026-03-14 23:59:59");
  EXPECT_EQ(clock.Reads(), 1);
}

}  // namespace
}  // namespace tavrel
