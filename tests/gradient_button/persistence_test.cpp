// New instance, restore and save, over a real property bag and the shipped
// form description of the review dialog's buttons.
#include <gtest/gtest.h>

#include <tuple>

#include "gradient_button/button_form.h"
#include "gradient_button/recorded_brix_button.h"
#include "gradient_button/review_buttons_form.h"
#include "tests/gradient_button/calls.h"

namespace tavrel {
namespace {

using namespace calls;

const SurfaceFont kAmbient{L"MS Sans Serif", 8.25};
const SurfaceFont kArialBold{L"Arial", 8.25, true};

// Every saved property but the picture.
auto State(const BrixButton& b) {
  return std::tuple(b.BackColor(), b.ForeColor(), b.Enabled(), b.Font(), b.Caption(),
                    b.BorderStyle(), b.TextAlign(), b.Behavior(), b.Style(), b.FadetoColor(),
                    b.ShowPicture(), b.HideFocus(), b.ButtonDown(), b.PictureAlign());
}

TEST(PropertyBag, MatchesNamesWithoutCaseKeepsThemLowerAndStoresNoDefaults) {
  PropertyBag bag;
  bag.Write(L"BackColor", 5, 0);
  bag.Write(L"Caption", std::wstring(L"BrixButton"), std::wstring(L"BrixButton"));
  EXPECT_EQ(bag.Entries().size(), 1u);
  EXPECT_EQ(bag.Entries()[0].first, L"backcolor");
  EXPECT_TRUE(SameValue(bag.Read(L"BACKCOLOR", 0), 5));
  EXPECT_TRUE(SameValue(bag.Read(L"caption", std::wstring(L"x")), std::wstring(L"x")));

  bag.Write(L"backColor", 7, 0);  // one entry per name, whatever its case
  EXPECT_EQ(bag.Entries().size(), 1u);
  EXPECT_TRUE(SameValue(bag.Read(L"BackColor", 0), 7));
  // Writing the default drops an earlier value, so the bag reads the default.
  bag.Write(L"BackColor", 0, 0);
  EXPECT_TRUE(bag.Empty());
}

TEST(Persistence, NewInstanceDefaultsSilentlyAndRestoringNothingGivesEveryDefault) {
  RecordedBrixButton host(1455, 375, kAmbient);
  BrixButton& button = host.Button();
  button.SetCaption(L"changed");
  host.ForgetAll();
  button.UserControl_InitProperties();
  EXPECT_EQ(button.Font(), kAmbient);
  EXPECT_EQ(button.Caption(), L"BrixButton");
  EXPECT_TRUE(host.Notices().empty());
  EXPECT_TRUE(host.Surface().Calls().empty());

  RecordedBrixButton restored(1455, 375, kAmbient);
  const BrixButton& fresh = restored.Button();
  restored.Button().UserControl_ReadProperties(PropertyBag{});
  EXPECT_EQ(fresh.BackColor(), 0x8000000Fu);
  EXPECT_EQ(fresh.ForeColor(), 0x80000012u);
  EXPECT_TRUE(fresh.Enabled());
  EXPECT_EQ(fresh.Font(), kAmbient);
  EXPECT_EQ(fresh.Caption(), L"BrixButton");
  EXPECT_EQ(fresh.BorderStyle() | fresh.TextAlign() | fresh.Behavior() | fresh.Style() |
                fresh.PictureAlign(),
            0);
  EXPECT_EQ(fresh.FadetoColor(), 0u);
  EXPECT_FALSE(fresh.ShowPicture() || fresh.HideFocus() || fresh.ButtonDown());
  EXPECT_EQ(fresh.Picture(), nullptr);
  // The picture step notifies and runs one layout and one paint pass.
  EXPECT_EQ(restored.Notices(), std::vector<std::wstring>{L"Picture"});
  EXPECT_EQ(Only(restored.Surface().Calls(), Op::kClear).size(), 1u);
}

TEST(Persistence, ThePictureStepsPassesSeeTheLaterFieldsStillAtTheirStart) {
  PropertyBag bag;
  bag.Set(L"BackColor", 0x0000FF00);
  bag.Set(L"ShowPicture", -1);
  bag.Set(L"ButtonDown", -1);
  bag.Set(L"PictureAlign", 1);
  RecordedBrixButton host(1455, 375);
  BrixButton& button = host.Button();
  button.UserControl_ReadProperties(bag);

  // Those passes saw ButtonDown false and PictureAlign 0 ...
  EXPECT_EQ(button.PressOffset(), 0);
  EXPECT_FLOAT_EQ(button.Picture1().Left(), 72.75f);
  EXPECT_FALSE(button.Picture1().Visible());
  EXPECT_EQ(Only(host.Surface().Calls(), Op::kLine).size(), 0u);  // no sunken frame drawn
  // ... and the picture area took the just-read back colour.
  EXPECT_EQ(button.Picture1().BackColor(), 0x0000FF00u);
  // Restored pressed; the area shows at the next paint pass, in the back colour.
  EXPECT_TRUE(button.ButtonDown());
  EXPECT_TRUE(button.ShowPicture());
  button.UserControl_Paint();
  EXPECT_TRUE(button.Picture1().Visible());
}

TEST(Persistence, SavingTheDialogsOkButtonStoresExactlyItsFiveSettings) {
  RecordedBrixButton host(1455, 375, kAmbient);
  BrixButton& ok = host.Button();
  ok.UserControl_InitProperties();
  ok.SetBackColor(0x00F7E0BB);
  ok.SetFont(kArialBold);
  ok.SetCaption(L"OK");
  ok.SetBorderStyle(1);
  ok.SetTextAlign(2);
  ok.UserControl_GotFocus();  // live state that is not saved
  PropertyBag bag;
  ok.UserControl_WriteProperties(bag);

  const std::vector<std::pair<std::wstring, PropertyValue>> expected{
      {L"backcolor", 0x00F7E0BB}, {L"font", kArialBold}, {L"caption", std::wstring(L"OK")},
      {L"borderstyle", 1}, {L"textalign", 2}};
  ASSERT_EQ(bag.Entries().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(bag.Entries()[i].first, expected[i].first);
    EXPECT_TRUE(SameValue(bag.Entries()[i].second, expected[i].second)) << i;
  }
}

TEST(Persistence, EveryPropertyRoundTripsThroughTheTextForm) {
  const auto picture = Image(2);
  picture->pixels = {0x00FF0000, 0x000000FF, 0, 0x00123456};
  RecordedBrixButton first(1455, 375, kAmbient);
  BrixButton& saved = first.Button();
  saved.SetBackColor(0x80000005);
  saved.SetForeColor(0x00010203);
  saved.SetEnabled(false);
  const SurfaceFont font{L"Times New Roman", 12.5, false, true, true, true};
  const std::wstring caption = L"Say \"hi\"\\\n\tnow \u00E9\u0416";
  saved.SetFont(font);
  saved.SetCaption(caption);
  saved.SetBorderStyle(-3);
  saved.SetTextAlign(1);
  saved.SetBehavior(1);
  saved.SetStyle(1);
  saved.SetFadetoColor(0x00FFFFFF);
  saved.SetPicture(picture);
  saved.SetShowPicture(true);
  saved.SetHideFocus(true);
  saved.SetButtonDown(true);
  saved.SetPictureAlign(2);

  const FormDescription form =
      SaveForm(L"Form", L"frmTest", kAmbient, 0x8000000F, {{L"BrixButton7", {1, 2, 3, 4}, &saved}});
  const std::wstring text = WriteFormDescription(form);
  const FormParseResult parsed = ParseFormDescription(text);
  ASSERT_TRUE(parsed.form) << parsed.error_line;
  const auto settings = ButtonSettingsFromForm(*parsed.form, L"brixbutton7");
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->placement, (ControlPlacement{1, 2, 3, 4}));
  EXPECT_EQ(settings->ambient_font, kAmbient);

  RecordedBrixButton second(1455, 375, settings->ambient_font);
  BrixButton& restored = second.Button();
  restored.UserControl_ReadProperties(settings->properties);
  EXPECT_EQ(State(restored), std::tuple(0x80000005u, 0x00010203u, false, font, caption, -3, 1, 1, 1,
                                        0x00FFFFFFu, true, true, true, 2));
  ASSERT_NE(restored.Picture(), nullptr);
  EXPECT_EQ(*restored.Picture(), *picture);

  // Saving the restored button writes the same text again.
  EXPECT_EQ(WriteFormDescription(SaveForm(L"Form", L"frmTest", kAmbient, 0x8000000F,
                                          {{L"BrixButton7", {1, 2, 3, 4}, &restored}})),
            text);
}

TEST(Persistence, AValueOfTheWrongKindRestoresTheDefault) {
  PropertyBag bag;
  bag.Set(L"BackColor", std::wstring(L"blue"));
  bag.Set(L"Caption", 42);
  bag.Set(L"Font", 3);
  bag.Set(L"Enabled", std::wstring(L"0"));
  bag.Set(L"BorderStyle", std::wstring(L"&H2&"));
  RecordedBrixButton host(1455, 375, kAmbient);
  host.Button().UserControl_ReadProperties(bag);
  EXPECT_EQ(host.Button().BackColor(), 0x8000000Fu);
  EXPECT_EQ(host.Button().Caption(), L"42");  // a number reads as text
  EXPECT_EQ(host.Button().Font(), kAmbient);
  EXPECT_FALSE(host.Button().Enabled());
  EXPECT_EQ(host.Button().BorderStyle(), 2);
}

TEST(ReviewButtonsForm, RestoresOkAndCancelWithTheDialogsSettingsAndSavesTheSameText) {
  const ButtonSettings ok_settings = ReviewDialogButton(kReviewOkButton);
  const ButtonSettings cancel_settings = ReviewDialogButton(kReviewCancelButton);
  EXPECT_EQ(ok_settings.placement, (ControlPlacement{1800, 3720, 1455, 375}));
  EXPECT_EQ(cancel_settings.placement, (ControlPlacement{3480, 3720, 1455, 375}));

  RecordedBrixButton ok(1455, 375, ok_settings.ambient_font);
  ok.Button().UserControl_ReadProperties(ok_settings.properties);
  RecordedBrixButton cancel(1455, 375, cancel_settings.ambient_font);
  cancel.Button().UserControl_ReadProperties(cancel_settings.properties);
  for (BrixButton* button : {&ok.Button(), &cancel.Button()}) {
    EXPECT_EQ(button->BackColor(), 0x00F7E0BBu);
    EXPECT_EQ(button->BorderStyle(), 1);
    EXPECT_EQ(button->TextAlign(), 2);
    EXPECT_EQ(button->Font(), kArialBold);
  }
  EXPECT_EQ(ok.Button().Caption(), L"OK");
  EXPECT_EQ(cancel.Button().Caption(), L"Cancel");

  const FormDescription saved = SaveForm(
      L"Form", L"frmMessage", ok_settings.ambient_font, ok_settings.ambient_back_color,
      {{kReviewOkButton, ok_settings.placement, &ok.Button()},
       {kReviewCancelButton, cancel_settings.placement, &cancel.Button()}});
  EXPECT_EQ(WriteFormDescription(saved), ReviewButtonsFormText());
}

}  // namespace
}  // namespace tavrel
