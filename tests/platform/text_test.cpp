#include "platform/text.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/process.h"
#include "platform/text_file.h"
#include "tests/fakes/memory_files.h"

namespace tavrel {
namespace {

// The registry's upcase decides, not Unicode's: ı, ſ, µ, ς, ß, ǅ, İ and the Kelvin sign stay apart from the letters
// Unicode folds them with, while fullwidth Latin, Armenian, Georgian, DZ digraphs and Latin Extended Additional join.
TEST(CaseFolding, JoinsExactlyWhatTheRegistryJoins) {
  const wchar_t* joined[][2] = {{L"Run Key", L"rUN kEY"}, {L"ÀÿĀŁ", L"àŸāł"}, {L"ΣΆЖЁ", L"σάжё"},
                                {L"ＲＵＮ", L"ｒｕｎ"},   {L"ԱՖ", L"աֆ"},     {L"ႠᲐᲿ", L"ⴀაჿ"},
                                {L"ǄǇǊ", L"ǆǉǌ"},         {L"ḀẔẞỾ", L"ḁẕẞỿ"}};
  const wchar_t* apart[][2] = {{L"ı", L"I"}, {L"ı", L"i"}, {L"ſ", L"s"}, {L"µ", L"μ"},      {L"ς", L"σ"},
                               {L"ß", L"ẞ"}, {L"ǅ", L"ǆ"}, {L"İ", L"i"}, {L"K", L"\x212A"}, {L"Run", L"Run "}};
  for (const auto& [a, b] : joined) EXPECT_TRUE(EqualsNoCase(a, b) && ToLower(a) == ToLower(b)) << a;
  for (const auto& [a, b] : apart) EXPECT_FALSE(EqualsNoCase(a, b) || ToLower(a) == ToLower(b)) << a << L" " << b;
  EXPECT_EQ(ToLower(L"KeyCreated ωΩ"), L"keycreated ΩΩ");  // meets lower-case keywords
  std::uint64_t digest = 0;  // of the whole table, so that a slip in any of its ranges shows here too
  int folded = 0;
  for (std::uint32_t c = 0; c < 0x10000; ++c) {
    const auto fold = static_cast<std::uint32_t>(FoldCase(static_cast<wchar_t>(c)));
    folded += fold != c, digest = digest * 31 + fold;
  }
  EXPECT_EQ(std::pair(folded, digest), std::pair(1163, std::uint64_t{0x2EAB2CA4E0B93395}));
}

TEST(AnsiTextFiles, CrLfLoneCrAndLoneLfEachEndALineAndLinesAreWrittenWithCrLf) {
  using Lines = std::vector<std::wstring>;
  MemoryFiles files;
  const std::pair<std::string, Lines> cases[] = {
      {"a\r\nb", {L"a", L"b"}},      {"a\rb\nc\r\n", {L"a", L"b", L"c"}}, {"a\r\r\nb", {L"a", L"", L"b"}},
      {"a\n\rb", {L"a", L"", L"b"}}, {" x\t \r\n", {L" x\t "}},           {"caf\xE9\r\n\x80 5", {L"café", L"€ 5"}}};
  for (const auto& [bytes, lines] : cases) {
    files.contents[L"f"] = bytes;
    EXPECT_EQ(ReadAnsiLines(files, L"f"), lines) << bytes;
  }
  ASSERT_TRUE(ReplaceAnsiLines(files, L"f", {L"café", L"", L"€ Ж"}));
  EXPECT_EQ(files.contents, (std::map<std::wstring, std::string>{{L"f", "caf\xE9\r\n\r\n\x80 ?\r\n"}}));
}

// Windows-1252 natively and, under Wine here, too.
TEST(AnsiCodePage, CarriesWindows1252AndTurnsTheRestIntoQuestionMarks) {
  EXPECT_EQ(ToAnsi(L"café € Жx Ā\xFF3C"), "caf\xE9 \x80 ?x ??");  // no best fit, no fullwidth backslash
  EXPECT_EQ(FromAnsi(std::string("\x8A\x9F\xFF\0b", 5)), std::wstring(L"ŠŸÿ\0b", 5));
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(ToAnsi(FromAnsi(all)), all);
}

TEST(ArgumentText, IsWhatFollowsTheProgramNameAndTheSpacesAfterIt) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"tavrel.exe /scannow key=Software\\Host", L"/scannow key=Software\\Host"},
      {L"tavrel.exe", L""},
      {L"\"C:\\Program Files\\tavrel.exe\"   silentscan", L"silentscan"},
      {L"C:\\\"Program Files\"\\tavrel.exe x", L"x"},
      {L"tavrel.exe\t \ta  b ", L"a  b "},  // inner and trailing spaces stay
      {L"\"tavrel.exe\"x y", L"y"},         // the name runs on after a quote
      {L"\"unclosed quote x", L""}};
  for (const auto& [line, arguments] : cases) EXPECT_EQ(ArgumentsAfterProgramName(line), arguments) << line;
}

}  // namespace
}  // namespace tavrel
