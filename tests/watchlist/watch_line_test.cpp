#include <gtest/gtest.h>

#include "watchlist/watch_list.h"

namespace tavrel {

void PrintTo(const WatchEntry& e, std::ostream* out) {
  *out << ::testing::PrintToString(e.Label) << " root " << std::hex << e.Root << std::dec << " "
       << ::testing::PrintToString(e.KeyPath) << " " << ::testing::PrintToString(e.ValueName);
}

namespace {

std::vector<WatchEntry> Parse(std::initializer_list<const wchar_t*> lines) {
  WatchList list;
  for (const wchar_t* line : lines) list.ParseWatchLine(line);
  return list.WatchEntries;
}

TEST(WatchLine, DataLinesAreTakenApartExactlyAsWritten) {
  EXPECT_EQ(Parse({L"MONITOR\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run",
                   L"Start-up launcher to report\thkey_current_user\\Software\\Example\\Run\\Launcher",
                   L"2026-03-14 09:05:07\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Updater",
                   // only the exact label MONITOR watches a whole key
                   L"monitor\tHKEY_CURRENT_USER\\A\\B\\C", L"MONITOR \tHKEY_CURRENT_USER\\A\\B\\C",
                   L"MONITOR\tHKEY_USERS\\A\\\\b\\", L"v\tHKEY_USERS\\Ké\\\\\\Wert", L"v\tHKEY_USERS\\K\\",
                   L"Zwölf\tBogus\\K\\V", L"\tHKEY_USERS\\K\\V\tthird\tfourth"}),
            (std::vector<WatchEntry>{
                {L"MONITOR", kLocalMachine, L"Software\\Example\\Run", L""},
                {L"Start-up launcher to report", kCurrentUser, L"Software\\Example\\Run", L"Launcher"},
                {L"2026-03-14 09:05:07", kCurrentUser, L"Software\\Example\\Run", L"Updater"},
                {L"monitor", kCurrentUser, L"A\\B", L"C"},
                {L"MONITOR ", kCurrentUser, L"A\\B", L"C"},
                {L"MONITOR", kUsers, L"A\\\\b\\", L""},
                {L"v", kUsers, L"Ké\\\\", L"Wert"},  // three backslashes: two empty components
                {L"v", kUsers, L"K", L""},           // the key's unnamed value
                {L"Zwölf", kNoRoot, L"K", L"V"},
                {L"", kUsers, L"K", L"V"},
            }));
}

TEST(WatchLine, RootNamesIgnoreCaseButNoOtherSpelling) {
  const std::pair<const wchar_t*, RootHandle> roots[] = {
      {L"HKEY_CLASSES_ROOT", kClassesRoot},       {L"hkey_current_user", kCurrentUser},
      {L"HKEY_Local_Machine", kLocalMachine},     {L"Hkey_Users", kUsers},
      {L"HKEY_PERFORMANCE_DATA", kPerformanceData}, {L"hkey_current_config", kCurrentConfig},
      {L"HKEY_DYN_DATA", kDynData},               {L"HKLM", kNoRoot},
      {L"HKEY_LOCAL_MACHINE ", kNoRoot},          {L"hkey_current_confıg", kNoRoot},
      {L"", kNoRoot},
  };
  for (const auto& [name, root] : roots) {
    EXPECT_EQ(RootFromName(name), root) << name;
    EXPECT_EQ(Parse({(L"x\t" + std::wstring(name) + L"\\Key\\Value").c_str()}).at(0).Root, root);
  }
  EXPECT_EQ(RootName(kLocalMachine), L"HKEY_LOCAL_MACHINE");
  EXPECT_EQ(RootName(kDynData), L"HKEY_DYN_DATA");
  EXPECT_EQ(RootName(0x80000007u), L"");
  EXPECT_EQ(RootName(kNoRoot), L"");
}

// Lines the grammar cannot take apart are skipped: loaded, they would watch a
// whole root or flag findings by a stray name.
TEST(WatchLine, LinesThatCannotBeTakenApartAddNoEntry) {
  EXPECT_TRUE(Parse({L"MONITOR", L"Launcher", L"MONITOR HKEY_CURRENT_USER\\Software",  // no TAB
                     L"x\t", L"x\t\tHKEY_CURRENT_USER\\A\\V",                        // empty field 2
                     L"MONITOR\tHKEY_CURRENT_USER", L"MONITOR\tHKEY_CURRENT_USER\\",  // only a root
                     L"x\tHKEY_CURRENT_USER\\Launcher", L"x\tHKEY_CURRENT_USER"})     // no key
                  .empty());
}

TEST(WatchList, IndexesKeepDuplicatesAndOutsideGivesAnEmptyEntry) {
  WatchList list;
  EXPECT_EQ(list.LastWatchIndex(), 0);
  EXPECT_EQ(list.GetWatchEntry(0), WatchEntry{});
  list.ParseWatchLine(L"v\tHKEY_USERS\\K\\V");
  EXPECT_EQ(list.LastWatchIndex(), 0);
  list.ParseWatchLine(L"v\tHKEY_USERS\\K\\V");
  EXPECT_EQ(list.LastWatchIndex(), 1);
  EXPECT_EQ(list.GetWatchEntry(1), (WatchEntry{L"v", kUsers, L"K", L"V"}));
  EXPECT_EQ(list.GetWatchEntry(0), list.GetWatchEntry(1));
  for (int outside : {2, -1, 1 << 30}) EXPECT_EQ(list.GetWatchEntry(outside), WatchEntry{}) << outside;
}

}  // namespace
}  // namespace tavrel
