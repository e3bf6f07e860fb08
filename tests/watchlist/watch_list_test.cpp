#include "watchlist/watch_list.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/fuzz/memory_files.h"

namespace tavrel {

void PrintTo(const WatchEntry& e, std::ostream* out) {
  *out << ::testing::PrintToString(e.Label + L"|" + e.KeyPath + L"|" + e.ValueName) << " root " << std::hex << e.Root;
}

namespace {

using Entries = std::vector<WatchEntry>;

TEST(WatchList, DataLinesAreTakenApartExactlyAsWrittenOrSkipped) {
  WatchList list;
  for (const wchar_t* line : {L"MONITOR\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run",
                              L"Start-up launcher\thkey_current_user\\Software\\Run\\Launcher",
                              L"monitor\tHKEY_CURRENT_USER\\A\\B\\C", L"MONITOR \tHkey_Users\\A\\B\\C",  // only MONITOR watches a key
                              L"MONITOR\tHKEY_USERS\\A\\\\b\\", L"v\tHKEY_USERS\\Ké\\\\\\Wert", L"v\tHKEY_USERS\\K\\",
                              L"Zwölf\tBogus\\K\\V", L"\tHKEY_USERS\\K\\V\tthird\tfourth",
                              // skipped: no TAB, an empty second field, only a root, no key
                              L"MONITOR", L"MONITOR HKEY_CURRENT_USER\\Software", L"x\t", L"x\t\tHKEY_CURRENT_USER\\A\\V",
                              L"MONITOR\tHKEY_CURRENT_USER", L"MONITOR\tHKEY_CURRENT_USER\\", L"x\tHKEY_CURRENT_USER\\Launcher"}) {
    list.ParseWatchLine(line);
  }
  EXPECT_EQ(list.WatchEntries, (Entries{{L"MONITOR", kLocalMachine, L"Software\\Example\\Run", L""},
                                        {L"Start-up launcher", kCurrentUser, L"Software\\Run", L"Launcher"},
                                        {L"monitor", kCurrentUser, L"A\\B", L"C"},
                                        {L"MONITOR ", kUsers, L"A\\B", L"C"},
                                        {L"MONITOR", kUsers, L"A\\\\b\\", L""},
                                        {L"v", kUsers, L"Ké\\\\", L"Wert"},  // three backslashes: two empty components
                                        {L"v", kUsers, L"K", L""},           // the key's unnamed value
                                        {L"Zwölf", kNoRoot, L"K", L"V"},
                                        {L"", kUsers, L"K", L"V"}}));
  EXPECT_EQ(std::tuple(list.LastWatchIndex(), WatchList().LastWatchIndex(), list.GetWatchEntry(8)), std::tuple(8, 0, list.WatchEntries[8]));
  EXPECT_EQ(std::pair(list.GetWatchEntry(9), list.GetWatchEntry(-1)), std::pair(WatchEntry{}, WatchEntry{}));
}

TEST(WatchList, RootNamesFoldOnlyAsciiCaseAndAreWrittenInCapitals) {
  for (RootHandle root = kClassesRoot; root <= kDynData; ++root) {
    EXPECT_EQ(RootFromName(ToLower(RootName(root))), root) << root;  // ToLower folds only ASCII here
  }
  EXPECT_EQ(RootName(kLocalMachine), L"HKEY_LOCAL_MACHINE");
  for (const wchar_t* name : {L"HKLM", L"HKEY_LOCAL_MACHINE ", L"hkey_current_conf\x0131g", L"H\x212A" L"EY_USERS", L""}) {
    EXPECT_EQ(RootFromName(name), kNoRoot) << name;
  }
  EXPECT_EQ(RootName(0x80000007u) + RootName(kNoRoot), L"");
}

TEST(WatchList, LoadsTheMainFileThenTheUserFileSkippingCommentsBlanksAndUnreadableFiles) {
  fuzz::MemoryFiles files;
  files.contents[L"C:\\T\\tavrel-user.ini"] = "u\tHKEY_USERS\\K\\V\r\n";
  files.contents[L"C:\\T\\tavrel.ini"] = "' comment\r\n   'MONITOR\tHKEY_USERS\\K\r\n\r\n   \r\n  MONITOR\tHKEY_USERS\\Caf\xE9  \r\n"
                                         "\t\r\n"  // a TAB is not trimmed: a data line that cannot be taken apart
                                         "v\tHKEY_USERS\\K\\V";
  const auto load = [&files] {
    WatchList list;
    list.LoadWatchList(files, L"C:\\T");
    return list.WatchEntries;
  };
  EXPECT_EQ(load(), (Entries{{L"MONITOR", kUsers, L"Café", L""}, {L"v", kUsers, L"K", L"V"}, {L"u", kUsers, L"K", L"V"}}));
  files.unreadable.insert(L"C:\\T\\tavrel.ini");  // locked by another program: skipped like a missing file
  EXPECT_EQ(load(), (Entries{{L"u", kUsers, L"K", L"V"}}));
  files.contents.erase(L"C:\\T\\tavrel-user.ini");
  EXPECT_EQ(load(), Entries{});
}

}  // namespace
}  // namespace tavrel
