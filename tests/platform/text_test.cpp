#include "platform/text.h"

#include <gtest/gtest.h>

#include "platform/process.h"
#include "platform/text_file.h"
#include "tests/fakes/memory_files.h"

namespace tavrel {
namespace {

// Windows compares registry names by upper case: ı, ſ, µ and ς meet I, S, Μ and Σ, and every
// letter folds to the small form its capital lowers to; İ, ×/÷ and the letters' neighbours stay alone.
TEST(CaseFolding, FoldsAsWindowsDoesInEveryBlockItCovers) {
  const wchar_t* folds[][2] = {
      {L"REGISTRY Run", L"registry run"},
      {L"ÀÉÎÕÜÝÞŸ", L"àéîõüýþÿ"},
      {L"ĀĄĆĎŁŃŐŒŠŹŻŽ", L"āąćďłńőœšźżž"},
      {L"ıſµ", L"isμ"},
      {L"ΑΒΓΩΆΈΉΊΌΎΏΪΫ", L"αβγωάέήίόύώϊϋ"},
      {L"ΣςϐϑϕϖϰϱϵϘϮ", L"σσβθφπκρεϙϯ"},
      {L"АБВЯЁЂЏ", L"абвяёђџ"},
      {L"ѠҀҊҾӁӍӀӐԮ", L"ѡҁҋҿӂӎӏӑԯ"},
  };
  for (const auto& [text, fold] : folds) {
    EXPECT_EQ(std::pair(ToLower(text), ToLower(fold)), std::pair(std::wstring(fold), std::wstring(fold)));
    EXPECT_TRUE(EqualsNoCase(text, fold)) << &text - &folds[0][0];
  }
  const wchar_t* different[][2] = {{L"×", L"÷"}, {L"İ", L"i"}, {L"@", L"`"},  {L"[", L"{"}, {L"Run", L"Run "},
                                   {L"ĸ", L"K"}, {L"ŉ", L"N"}, {L"΢", L"ς"}, {L"Ϗ", L"ϗ"}, {L"Џ", L"Я"}};
  for (const auto& [a, b] : different) EXPECT_FALSE(EqualsNoCase(a, b)) << &a - &different[0][0];
  for (const wchar_t c : {L'1', L'\x0138', L'\x0149', L'\x03A2', L'\x0482', L'\x4E2D'}) EXPECT_EQ(FoldCase(c), c);
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
