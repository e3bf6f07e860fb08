// Setters: the container notice, the passes each one runs, what they keep.
#include <gtest/gtest.h>

#include <functional>

#include "gradient_button/descriptions.h"
#include "gradient_button/recorded_brix_button.h"
#include "tests/gradient_button/calls.h"

namespace tavrel {
namespace {

using namespace calls;

struct SetterCase {
  const wchar_t* name;
  std::function<void(BrixButton&)> set;
  int layout_passes;
  int paint_passes;
};

TEST(Setters, NotifyTheContainerAndRunExactlyTheirPasses) {
  const auto picture = Image(2);
  const std::vector<SetterCase> cases{
      {L"BackColor", [](BrixButton& b) { b.SetBackColor(0x123456); }, 0, 1},
      {L"ForeColor", [](BrixButton& b) { b.SetForeColor(0x123456); }, 0, 0},
      {L"Enabled", [](BrixButton& b) { b.SetEnabled(false); }, 0, 1},
      {L"Font", [](BrixButton& b) { b.SetFont({L"Arial", 12}); }, 0, 0},
      {L"Caption", [](BrixButton& b) { b.SetCaption(L"Go"); }, 0, 1},
      {L"BorderStyle", [](BrixButton& b) { b.SetBorderStyle(2); }, 0, 1},
      {L"TextAlign", [](BrixButton& b) { b.SetTextAlign(1); }, 0, 1},
      {L"Behavior", [](BrixButton& b) { b.SetBehavior(1); }, 0, 0},
      {L"Style", [](BrixButton& b) { b.SetStyle(1); }, 0, 1},
      {L"FadetoColor", [](BrixButton& b) { b.SetFadetoColor(0xFF); }, 0, 1},
      {L"Picture", [&](BrixButton& b) { b.SetPicture(picture); }, 1, 1},
      {L"ShowPicture", [](BrixButton& b) { b.SetShowPicture(true); }, 1, 1},
      {L"HideFocus", [](BrixButton& b) { b.SetHideFocus(true); }, 0, 0},
      {L"ButtonDown", [](BrixButton& b) { b.SetButtonDown(true); }, 0, 1},
      {L"PictureAlign", [](BrixButton& b) { b.SetPictureAlign(1); }, 1, 1},
  };
  for (const SetterCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "setter of " << ::testing::PrintToString(c.name));
    RecordedBrixButton host(1455, 375);
    // With the picture above the caption, a layout pass measures the caption
    // itself, while a paint pass measures "Hy": the two can be told apart.
    host.Button().SetPictureAlign(1);
    host.ForgetAll();
    c.set(host.Button());
    EXPECT_EQ(host.Notices(), std::vector<std::wstring>{c.name});
    int layouts = 0;
    for (const SurfaceCall& call : Only(host.Surface().Calls(), Op::kMeasureHeight)) {
      if (call.text != L"Hy") ++layouts;
    }
    EXPECT_EQ(layouts, c.layout_passes);
    EXPECT_EQ(static_cast<int>(Only(host.Surface().Calls(), Op::kClear).size()), c.paint_passes);
  }
}

TEST(Setters, StoreAnyValueAndKeepThePictureAreaInTheBackColor) {
  RecordedBrixButton host(1455, 375);
  BrixButton& button = host.Button();
  button.SetBorderStyle(-7);
  EXPECT_EQ(button.BorderStyle(), -7);
  const auto picture = std::make_shared<Picture>();
  button.SetPicture(picture);
  EXPECT_EQ(button.Picture(), picture);  // the same image, shared
  EXPECT_EQ(button.Picture1().BackColor(), 0x8000000Fu);
  button.SetBackColor(0x00F7E0BB);  // set after the picture: the area follows
  EXPECT_EQ(button.Picture1().BackColor(), 0x00F7E0BBu);
  EXPECT_EQ(host.Surface().BackColor(), 0x00F7E0BBu);
}

TEST(Setters, ForeColorFontAndHideFocusShowOnlyAtTheNextPass) {
  RecordedBrixButton host(1455, 375);
  BrixButton& button = host.Button();
  button.UserControl_GotFocus();
  button.SetBorderStyle(1);
  host.ForgetAll();
  button.SetForeColor(0x0000FF);
  button.SetHideFocus(true);
  button.SetFont({L"Arial", 20, true});
  EXPECT_TRUE(Only(host.Surface().Calls(), Op::kPrint).empty());
  EXPECT_EQ(host.Surface().Font().name, L"Arial");
  button.Refresh();  // the surface's own refresh runs the paint pass
  EXPECT_EQ(Only(host.Surface().Calls(), Op::kPrint).at(0).colour, 0x0000FFu);
  EXPECT_TRUE(Only(host.Surface().Calls(), Op::kPenStyle).empty());  // no focus rectangle
}

TEST(Descriptions, AreThePublishedHelpLines) {
  EXPECT_EQ(BrixButtonDescription(L"TextAlign"), L"Determines Location of Text");
  EXPECT_EQ(BrixButtonDescription(L"HideFocus"),
            L"Hide the dashed focus line when this control has focus.");
  EXPECT_FALSE(BrixButtonDescription(L"Enabled").empty());
  EXPECT_TRUE(BrixButtonDescription(L"Caption").empty());
}

}  // namespace
}  // namespace tavrel
