// The text form of saved form descriptions: what it reads, what it refuses.
#include "gradient_button/form_description.h"

#include <gtest/gtest.h>

#include <random>

namespace tavrel {
namespace {

TEST(FormDescription, ReadsNestedBlocksCommentsAndEveryKindOfValue) {
  const FormParseResult parsed = ParseFormDescription(
      L"# saved by hand\r\n"
      L"BEGIN Form frmA\r\n"
      L"  Font = font(\"Arial\", 9.75, ITALIC)\n"
      L"\n"
      L"  begin Tavrel.BrixButton B1\n"
      L"    BackColor = &H8000000F&\n"
      L"    fadetocolor = 0xFF\n"
      L"    Caption = \"a\\\"b\\u00e9\"\n"
      L"    picture = picture(1, 2, \"ff00000000ff\")\n"
      L"    other = nothing\n"
      L"  end\n"
      L"End\n");
  ASSERT_TRUE(parsed.form) << parsed.error_line;
  const FormDescription& form = *parsed.form;
  EXPECT_EQ(form.type, L"Form");
  EXPECT_EQ(form.name, L"frmA");
  EXPECT_TRUE(SameValue(form.properties.Read(L"font", 0), SurfaceFont{L"Arial", 9.75, false, true}));
  const FormDescription* button = form.Child(L"b1");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->type, L"Tavrel.BrixButton");
  EXPECT_TRUE(SameValue(button->properties.Read(L"backcolor", 0),
                        static_cast<std::int32_t>(0x8000000F)));
  EXPECT_TRUE(SameValue(button->properties.Read(L"FadetoColor", 0), 255));
  EXPECT_TRUE(SameValue(button->properties.Read(L"caption", 0), std::wstring(L"a\"b\u00e9")));
  const PicturePtr picture = ToPicture(button->properties.Read(L"picture", 0), nullptr);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->pixels, (std::vector<std::uint32_t>{0xFF0000, 0x0000FF}));
  EXPECT_TRUE(SameValue(button->properties.Read(L"other", 0), PicturePtr{}));
}

TEST(FormDescription, TextsOfAnyCharactersRoundTripAsPlainAscii) {
  std::wstring caption = L"\"\\\t\r\n \x01 \u00FF\u0416\uFFFD";
  caption += static_cast<wchar_t>(0xD83D);  // half of a pair stays what it was
  const std::wstring text = FormatPropertyValue(caption);
  for (wchar_t c : text) EXPECT_TRUE(c >= 0x20 && c < 0x7F);
  const auto back = ParsePropertyValue(text);
  ASSERT_TRUE(back);
  EXPECT_TRUE(SameValue(*back, caption));
}

TEST(FormDescription, RefusesDamagedTextWithTheLineOfTheFault) {
  struct Case {
    const wchar_t* text;
    int line;
  };
  const std::vector<Case> cases{
      {L"", 1},
      {L"begin Form f\n  a = 1\n", 3},                  // never ended
      {L"a = 1\n", 1},                                   // outside any block
      {L"begin Form f\nend\nbegin Form g\nend\n", 3},    // a second form
      {L"begin Form\nend\n", 1},                         // no name
      {L"begin Form f\n  a = \"open\nend\n", 2},         // unclosed text
      {L"begin Form f\n  a = 99999999999\nend\n", 2},    // beyond 32 bits
      {L"begin Form f\n  a = font(\"x\", -1)\nend\n", 2},
      {L"begin Form f\n  a = font(\"x\", 8, heavy)\nend\n", 2},
      {L"begin Form f\n  a = picture(2, 2, \"00\")\nend\n", 2},
      {L"begin Form f\n  a = picture(99999, 99999, \"\")\nend\n", 2},
      {L"begin Form f\n  a = 1 2\nend\n", 2},
      {L"begin Form f\n  = 1\nend\n", 2},
      {L"begin Form f\n  a = \"\\q\"\nend\n", 2},
      {L"end\n", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.text)));
    const FormParseResult parsed = ParseFormDescription(c.text);
    EXPECT_FALSE(parsed.form);
    EXPECT_EQ(parsed.error_line, c.line);
    EXPECT_FALSE(parsed.error.empty());
  }
}

TEST(FormDescription, DeepNestingAndRandomTextNeverCrash) {
  std::wstring deep;
  for (int i = 0; i < 200; ++i) deep += L"begin A b\n";
  EXPECT_FALSE(ParseFormDescription(deep).form);

  std::mt19937 random(7);
  const std::wstring alphabet = L"begin end = \"\\(),#0123456789xfontpicture\n\t&H-.";
  for (int round = 0; round < 2000; ++round) {
    std::wstring text;
    const auto length = random() % 200;
    for (unsigned i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    const FormParseResult parsed = ParseFormDescription(text);
    if (parsed.form) {
      // Whatever was read writes back into text that reads the same.
      const std::wstring written = WriteFormDescription(*parsed.form);
      const FormParseResult again = ParseFormDescription(written);
      ASSERT_TRUE(again.form);
      EXPECT_EQ(WriteFormDescription(*again.form), written);
    }
  }
}

}  // namespace
}  // namespace tavrel
