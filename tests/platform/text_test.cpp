#include "platform/text.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(CaseFolding, MatchesCapitalAndSmallLettersInEveryBlockWindowsFolds) {
  const wchar_t* pairs[][2] = {
      {L"REGISTRY Run", L"registry run"},
      {L"ÀÉÎÕÜÝÞ", L"àéîõüýþ"},            // Latin-1
      {L"Ÿ", L"ÿ"},                        // the one Latin-1 small letter whose capital lies elsewhere
      {L"ĀĄĆŁŃŐŒŠŽŹ", L"āąćłńőœšžź"},      // Latin Extended-A, both pairing directions
      {L"ΑΒΓΩΆΈΏΪ", L"αβγωάέώϊ"},          // Greek
      {L"ΣΣ", L"σς"},                      // final sigma
      {L"АБВЯЁЂЏ", L"абвяёђџ"},            // Cyrillic
      {L"ҐӁӐ", L"ґӂӑ"},                    // Cyrillic extended pairs
  };
  for (const auto& pair : pairs) {
    EXPECT_TRUE(EqualsNoCase(pair[0], pair[1])) << "pair " << &pair - pairs;
    EXPECT_EQ(ToLower(pair[0]), ToLower(pair[1])) << "pair " << &pair - pairs;
  }
  EXPECT_EQ(ToLower(L"ÉCOLE Ж"), L"école ж");
}

TEST(CaseFolding, KeepsApartWhatWindowsKeepsApart) {
  EXPECT_FALSE(EqualsNoCase(L"×", L"÷"));   // D7/F7 sit between the letters but are no pair
  EXPECT_FALSE(EqualsNoCase(L"İ", L"i"));   // dotted capital I has no small partner under upper-casing
  EXPECT_FALSE(EqualsNoCase(L"@", L"`"));   // neighbours of A-Z and a-z
  EXPECT_FALSE(EqualsNoCase(L"[", L"{"));
  EXPECT_FALSE(EqualsNoCase(L"Run", L"Run "));
  EXPECT_TRUE(EqualsNoCase(L"", L""));
  EXPECT_EQ(FoldCase(L'1'), L'1');
  EXPECT_EQ(FoldCase(L'\x4E2D'), L'\x4E2D');
}

TEST(CaseFolding, GathersLettersWhoseUpperCaseIsTheSame) {
  // Windows compares by upper case, so these meet their capitals.
  EXPECT_TRUE(EqualsNoCase(L"ı", L"I"));  // dotless i
  EXPECT_TRUE(EqualsNoCase(L"ſ", L"S"));  // long s
  EXPECT_TRUE(EqualsNoCase(L"µ", L"Μ"));  // micro sign, Greek capital mu
}

TEST(SplitAndJoin, KeepEmptyFieldsSoTheyRoundTrip) {
  EXPECT_EQ(Split(L"", L'\\'), std::vector<std::wstring>{L""});
  EXPECT_EQ(Split(L"a\\\\b\\", L'\\'), (std::vector<std::wstring>{L"a", L"", L"b", L""}));
  EXPECT_EQ(Split(L"\\", L'\\'), (std::vector<std::wstring>{L"", L""}));
  for (const wchar_t* text : {L"", L"a", L"\\a\\\\b\\", L"x\ty"}) {
    EXPECT_EQ(Join(Split(text, L'\\'), L"\\"), text);
  }
  EXPECT_EQ(Join({}, L", "), L"");
}

TEST(TrimSpaces, RemovesOnlySpacesAtBothEnds) {
  EXPECT_EQ(TrimSpaces(L"  a b  "), L"a b");
  EXPECT_EQ(TrimSpaces(L"\ta\t "), L"\ta\t");
  EXPECT_EQ(TrimSpaces(L"   "), L"");
  EXPECT_EQ(TrimSpaces(L""), L"");
}

}  // namespace
}  // namespace tavrel
