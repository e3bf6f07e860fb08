#include "platform/text.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "tests/fakes/fake_clock.h"

namespace tavrel {
namespace {

TEST(CaseFolding, FoldsAsWindowsDoesInEveryBlock) {
  const wchar_t* same[][2] = {
      {L"REGISTRY Run", L"registry run"},
      {L"ÀÉÎÕÜÝÞ", L"àéîõüýþ"},            // Latin-1
      {L"Ÿ", L"ÿ"},                        // the one Latin-1 small letter whose capital lies elsewhere
      {L"ĀĄĆŁŃŐŒŠŽŹ", L"āąćłńőœšžź"},      // Latin Extended-A, both pairing directions
      {L"ΑΒΓΩΆΈΏΪ", L"αβγωάέώϊ"},          // Greek
      {L"ΣΣ", L"σς"},                      // final sigma
      {L"АБВЯЁЂЏ", L"абвяёђџ"},            // Cyrillic
      {L"ҐӁӐ", L"ґӂӑ"},                    // Cyrillic extended pairs
      {L"", L""},
  };
  for (const auto& pair : same) {
    EXPECT_TRUE(EqualsNoCase(pair[0], pair[1])) << "pair " << &pair - same;
    EXPECT_EQ(ToLower(pair[0]), ToLower(pair[1])) << "pair " << &pair - same;
  }
  // Windows compares by upper case: dotless i, long s and the micro sign meet their capitals.
  EXPECT_TRUE(EqualsNoCase(L"ı", L"I") && EqualsNoCase(L"ſ", L"S") && EqualsNoCase(L"µ", L"Μ"));
  EXPECT_EQ(ToLower(L"ÉCOLE Ж"), L"école ж");
  // D7/F7 sit between the letters but are no pair; dotted capital I has no
  // small partner under upper-casing; neighbours of A-Z and a-z.
  for (const auto& [a, b] : {std::pair{L"×", L"÷"}, {L"İ", L"i"}, {L"@", L"`"}, {L"[", L"{"}, {L"Run", L"Run "}}) {
    EXPECT_FALSE(EqualsNoCase(a, b)) << &a;
  }
  EXPECT_EQ(FoldCase(L'1'), L'1');
  EXPECT_EQ(FoldCase(L'\x4E2D'), L'\x4E2D');
}

TEST(SplitJoinTrim, EmptyFieldsRoundTripAndOnlySpacesAreTrimmed) {
  EXPECT_EQ(Split(L"", L'\\'), std::vector<std::wstring>{L""});
  EXPECT_EQ(Split(L"a\\\\b\\", L'\\'), (std::vector<std::wstring>{L"a", L"", L"b", L""}));
  for (const wchar_t* text : {L"", L"a", L"\\", L"\\a\\\\b\\", L"x\ty"}) {
    EXPECT_EQ(Join(Split(text, L'\\'), L"\\"), text);
  }
  EXPECT_EQ(Join({}, L", "), L"");
  EXPECT_EQ(TrimSpaces(L"  a b  "), L"a b");
  EXPECT_EQ(TrimSpaces(L"\ta\t "), L"\ta\t");
  EXPECT_EQ(TrimSpaces(L"   "), L"");
}

// The ANSI code page is Windows-1252 natively and, under Wine here, too.
TEST(AnsiCodePage, CarriesWindows1252AndTurnsTheRestIntoQuestionMarks) {
  EXPECT_EQ(ToAnsi(L"café €"), "caf\xE9 \x80");
  EXPECT_EQ(FromAnsi("\x8A\x9F\xFF"), L"ŠŸÿ");
  EXPECT_EQ(ToAnsi(L"Жx"), "?x");
  EXPECT_EQ(ToAnsi(L"Ā"), "?");      // no best fit to a plain A
  EXPECT_EQ(ToAnsi(L"\xFF3C"), "?");  // a fullwidth backslash never becomes a path separator
  EXPECT_EQ(FromAnsi(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::wstring text = FromAnsi(all);
  ASSERT_EQ(text.size(), all.size());
  EXPECT_EQ(ToAnsi(text), all);
  // The bytes 1252 leaves undefined read as the C1 controls of the same number.
  EXPECT_EQ(FromAnsi("\x81\x8D\x8F\x90\x9D"), L"\x0081\x008D\x008F\x0090\x009D");
}

TEST(Stamps, PadMonthDayAndTimePiecesButNotTheYear) {
  EXPECT_EQ(DateStamp({2027, 3, 5, 0, 0, 0}), L"2027-03-05");
  EXPECT_EQ(DateStamp({987, 10, 1, 0, 0, 0}), L"987-10-01");
  EXPECT_EQ(TimeStamp({0, 0, 0, 9, 5, 7}), L"09:05:07");
  EXPECT_EQ(TimeStamp({0, 0, 0, 21, 0, 0}), L"21:00:00");
  FakeClock clock({2026, 3, 14, 23, 59, 59});
  EXPECT_EQ(EntryStamp(clock), L"2026-03-14 23:59:59");
  EXPECT_EQ(clock.Reads(), 1);
}

}  // namespace
}  // namespace tavrel
