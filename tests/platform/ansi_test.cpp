// The ANSI code page is Windows-1252 natively and, under Wine here, too.
#include <gtest/gtest.h>

#include "platform/text.h"

namespace tavrel {
namespace {

TEST(AnsiCodePage, CarriesAccentedLettersAndTheEuroSign) {
  EXPECT_EQ(ToAnsi(L"café €"), "caf\xE9 \x80");
  EXPECT_EQ(FromAnsi("caf\xE9 \x80"), L"café €");
  EXPECT_EQ(FromAnsi("\x8A\x9F\xFF"), L"ŠŸÿ");
}

TEST(AnsiCodePage, TurnsCharactersItCannotHoldIntoQuestionMarks) {
  EXPECT_EQ(ToAnsi(L"Жx"), "?x");
  EXPECT_EQ(ToAnsi(L"Ā"), "?");      // no best fit to a plain A
  EXPECT_EQ(ToAnsi(L"\xFF3C"), "?");  // a fullwidth backslash never becomes a path separator
}

TEST(AnsiCodePage, EveryByteRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::wstring text = FromAnsi(all);
  ASSERT_EQ(text.size(), all.size());
  EXPECT_EQ(ToAnsi(text), all);
  // The bytes 1252 leaves undefined read as the C1 controls of the same number.
  EXPECT_EQ(FromAnsi("\x81\x8D\x8F\x90\x9D"), L"\x0081\x008D\x008F\x0090\x009D");
}

TEST(AnsiCodePage, EmptyTextAndNulBytes) {
  EXPECT_EQ(ToAnsi(L""), "");
  EXPECT_EQ(FromAnsi(""), L"");
  EXPECT_EQ(FromAnsi(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

}  // namespace
}  // namespace tavrel
