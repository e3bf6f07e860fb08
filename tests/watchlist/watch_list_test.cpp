#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/memory_files.h"
#include "watchlist/user_watch_list.h"
#include "watchlist/watch_list.h"

namespace tavrel {

void PrintTo(const WatchEntry& e, std::ostream* out) {
  *out << ::testing::PrintToString(e.Label + L"|" + e.KeyPath + L"|" + e.ValueName) << " root " << std::hex << e.Root;
}

namespace {

using Entries = std::vector<WatchEntry>;

// The entries, and whether both files were read (the user file may be missing, the main one not).
Entries Load(const MemoryFiles& files, bool read = true) {
  WatchList list;
  EXPECT_EQ(list.LoadWatchList(files, L"C:\\T"), read);
  return list.WatchEntries;
}

TEST(WatchList, DataLinesAreTakenApartExactlyAsWrittenOrSkipped) {
  WatchList list;
  for (const wchar_t* line :
       {L"MONITOR\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run",
        L"Start-up launcher\thkey_current_user\\Software\\Run\\Launcher", L"monitor\tHKEY_CURRENT_USER\\A\\B\\C",
        L"MONITOR \tHkey_Users\\A\\B\\C",  // only MONITOR watches a key
        L"MONITOR\tHKEY_USERS\\A\\\\b\\", L"v\tHKEY_USERS\\Ké\\\\\\Wert", L"v\tHKEY_USERS\\K\\", L"Zwölf\tBogus\\K\\V",
        L"\tHKEY_USERS\\K\\V\tthird\tfourth",
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
  EXPECT_EQ(std::pair(list.GetWatchEntry(9), list.GetWatchEntry(-1)), std::pair(WatchEntry{}, WatchEntry{}));
}

TEST(WatchList, RootNamesFoldOnlyAsciiCaseAndAreWrittenInCapitals) {
  for (RootHandle root = kClassesRoot; root <= kDynData; ++root)
    EXPECT_EQ(RootFromName(ToLower(RootName(root))), root) << root;
  for (const wchar_t* name : {L"HKLM", L"HKEY_LOCAL_MACHINE ", L"hkey_current_conf\x0131g", L"H\u212AEY_USERS", L""})
    EXPECT_EQ(RootFromName(name), 0u);
}

TEST(WatchList, LoadsTheMainFileThenTheUserFileSkippingCommentsBlanksAndUnreadableFiles) {
  MemoryFiles files;
  files.contents[L"C:\\T\\tavrel-user.ini"] = "u\tHKEY_USERS\\K%zz\\V%5C\r\n";  // escapes count only here
  files.contents[L"C:\\T\\tavrel.ini"] =
      "' comment\r\n   'MONITOR\tHKEY_USERS\\K\r\n\r\n   \r\n  MONITOR\tHKEY_USERS\\Caf\xE9  \r\n"
      "\t\r\n"  // a TAB is not trimmed: a data line that cannot be taken apart
      "v\tHKEY_USERS\\K\\V%5C";
  EXPECT_EQ(
      Load(files),
      (Entries{{L"MONITOR", kUsers, L"Café", L""}, {L"v", kUsers, L"K", L"V%5C"}, {L"u", kUsers, L"K%zz", L"V\\"}}));
  files.unreadable.insert(L"C:\\T\\tavrel.ini");  // locked by another program: skipped like a missing file
  EXPECT_EQ(Load(files, false), (Entries{{L"u", kUsers, L"K%zz", L"V\\"}}));
  files.contents.erase(L"C:\\T\\tavrel.ini");
  EXPECT_EQ(Load(files, false).size(), 1u);
}

const std::wstring kFile = L"C:\\T\\tavrel-user.ini";

TEST(UserWatchList, AppendStampsOneLineRemoveTakesOutLinesNamingTheValueAndBothRewriteTheRestTrimmed) {
  MemoryFiles files;
  FakeClock clock({2026, 3, 14, 9, 5, 7});
  UserWatchListWriter writer(files, clock, L"C:\\T");
  (void)writer.AppendUserWatchEntry(kLocalMachine, L"Software\\Example\\Run", L"Updater");
  EXPECT_EQ(files.contents[kFile], "2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n");
  files.contents[kFile] = "  2026-01-01 00:00:00\tHKEY_USERS\\K\\A  \r\n' a comment\r\n\r\n   \n'last without end";
  clock.Set({2027, 10, 2, 0, 4, 59});
  (void)writer.AppendUserWatchEntry(kCurrentUser, L"Software\\Caf\u00E9", L"\u20AC \u0416");
  // An unknown root gives a path starting with a backslash; a line break in a name is escaped, or the
  // rest of the name would be a line of its own.
  (void)writer.AppendUserWatchEntry(0x80000007u, L"K", L"V");
  (void)writer.AppendUserWatchEntry(kUsers, L"K\r", L"x\r\nMONITOR\tHKEY_USERS\\K\ny");
  EXPECT_EQ(files.contents[kFile],
            "2026-01-01 00:00:00\tHKEY_USERS\\K\\A\r\n' a comment\r\n\r\n\r\n'last without end\r\n"
            "2027-10-02 00:04:59\tHKEY_CURRENT_USER\\Software\\Caf\xE9\\\x80 %u0416\r\n"
            "2027-10-02 00:04:59\t\\K\\V\r\n"
            "2027-10-02 00:04:59\tHKEY_USERS\\K%0D\\x%0D%0AMONITOR%09HKEY_USERS%5CK%0Ay\r\n");

  // Removal drops every line naming the value under any root, case ignored, and only trims the rest.
  files.contents[kFile] =
      "2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n"
      "' 2026-03-14 09:05:07\tHKEY_LOCAL_MACHINE\\Software\\Example\\Run\\Updater\r\n"
      "  x\tHKEY_CURRENT_USER\\SOFTWARE\\example\\Run\\updater  \r\nx\tBOGUS\\Software\\Example\\Run\\Updater\r\n"
      "x\tHKEY_USERS\\CAF\xC9\\\xC9T\xC9\r\n"            // folding covers accented letters
      "x\tHKEY_CURRENT_USER\\Example\\Run\\Updater\r\n"  // shorter key path
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

// Any name loads back exactly and only it is removed by its names; a file planted at a temporary name stays as it is.
TEST(UserWatchList, AnyNameLoadsBackExactlyIsRemovedOnlyByItselfAndNoPlantedFileIsWritten) {
  using namespace std::literals;  // key path and value name, in pairs
  const std::vector<std::wstring> names({L"Software\\Run", L"evil\\Victim", L"Software\\Run\\evil", L"Victim", L"Run",
                                         L"Updater ", L"Run", L"Updater", L"K\tx\r", L"a\tb\r\nMONITOR\tHKEY_USERS\\K",
                                         L"K", L"n\0l"s, L" K ", L" both ", L"100%", L"%25 %u0041 %zz %",
                                         L"\x0416\x4E2D", L"\xD800\x0416 \x20AC\xE9"});
  MemoryFiles files;
  for (const wchar_t n : L"01235"sv) files.contents[kFile + L".000000000000000" + n + L".tmp"] = "planted";
  auto planted = files.contents;
  const FakeClock clock;
  UserWatchListWriter writer(files, clock, L"C:\\T");
  EXPECT_FALSE(writer.AppendUserWatchEntry(kUsers, L"K", L"V"));  // the first four names are taken: not on disk
  Entries expected;
  for (std::size_t i = 0; i < names.size(); i += 2) {
    EXPECT_TRUE(writer.AppendUserWatchEntry(kCurrentUser, names[i], names[i + 1]));
    expected.push_back({EntryStamp(clock), kCurrentUser, names[i], names[i + 1]});
  }
  for (std::size_t i = 0; i <= expected.size(); ++i) {
    EXPECT_EQ(Load(files, false), Entries(expected.begin() + static_cast<std::ptrdiff_t>(i), expected.end())) << i;
    if (i < expected.size()) writer.RemoveUserWatchEntry(expected[i].KeyPath, expected[i].ValueName);
  }
  planted[kFile] = "";
  EXPECT_EQ(files.contents, planted);
}

// A byte-order mark picks UTF-8, UTF-16LE or UTF-16BE for either file and is never text; broken bytes (here a cut
// sequence, an overlong form, a surrogate, a code point past U+10FFFF, an odd last byte) read as U+FFFD. Rewriting the
// user file keeps its encoding, its mark and every character.
TEST(WatchList, ByteOrderMarksPickTheEncodingOfEitherFileAndTheUserFileKeepsIt) {
  const auto utf16 = [](std::wstring_view text, bool big) {
    std::string bytes(big ? "\xFE\xFF" : "\xFF\xFE");
    for (const wchar_t c : text) bytes += {static_cast<char>(big ? c >> 8 : c), static_cast<char>(big ? c : c >> 8)};
    return bytes;
  };
  const std::pair<std::string, Entries> cases[] = {
      {"\xEF\xBB\xBFMONITOR\tHKEY_USERS\\Caf\xC3\xA9\r\n"
       "v\tHKEY_USERS\\K\\\xE2\x82\xAC\xF0\x9F\x98\x80\xED\xA0\x80\xE0\x80\xF4\x90\xC3(\xE2\x82",
       {{L"MONITOR", kUsers, L"Café", L""},
        {L"v", kUsers, L"K", L"\x20AC\xD83D\xDE00" + std::wstring(8, L'\xFFFD') + L"(\xFFFD"}}},
      {utf16(L"v\tHKEY_USERS\\K\\\xD800", false) + "x", {{L"v", kUsers, L"K", L"\xD800\xFFFD"}}},
      {utf16(L"v\tHKEY_USERS\\K\\\x4E2D", true), {{L"v", kUsers, L"K", L"\x4E2D"}}}};
  MemoryFiles files;
  for (const auto& [bytes, loaded] : cases) {
    files.contents[L"C:\\T\\tavrel.ini"] = bytes;
    EXPECT_EQ(Load(files), loaded) << bytes;
  }
  const std::string kept = "\xEF\xBB\xBF' \xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF\r\n";
  files.contents[kFile] = kept;
  const FakeClock clock;
  EXPECT_TRUE(UserWatchListWriter(files, clock, L"C:\\T").AppendUserWatchEntry(kUsers, L"K", L"\x0416"));
  EXPECT_EQ(files.contents[kFile], kept + "2026-03-14 09:05:07\tHKEY_USERS\\K\\%u0416\r\n");
}

}  // namespace
}  // namespace tavrel
