// Whole paint passes, compared call by call.
#include <gtest/gtest.h>

#include "gradient_button/recorded_brix_button.h"
#include "tests/gradient_button/calls.h"

namespace tavrel {
namespace {

using namespace calls;

constexpr Colour kBlue = 0x00F7E0BB;

// The frame of a 1455 x 375 button: pen 2 outer edges, then the inner box with
// its four chamfered corners. Sunken swaps the edge colours, thins the box and
// the bottom diagonals and thickens the top ones, leaving the pen at 2.
List Frame(bool sunken, Colour corner = kFace) {
  const Colour lit = sunken ? kDark : kLight;
  const Colour unlit = sunken ? kLight : kDark;
  const int top = sunken ? 2 : 1;
  const int rest = sunken ? 1 : 2;
  return {Pen(2), Line(15, 15, 1455, 0, lit, 2), Line(15, 15, 0, 375, lit, 2),
          Line(1447, 0, 1447, 367, unlit, 2), Line(0, 367, 1447, 367, unlit, 2),
          Pen(1), Pen(rest), Box(0, 0, 1439, 359, kShadow, rest),
          Pen(1), Filled(0, 0, 45, 45, corner, 1), Pen(top), Line(0, 45, 45, 0, kShadow, top),
          Pen(1), Filled(0, 314, 45, 359, corner, 1), Pen(rest),
          Line(0, 314, 45, 359, kShadow, rest),
          Pen(1), Filled(1394, 314, 1439, 359, corner, 1), Pen(rest),
          Line(1394, 359, 1439, 314, kShadow, rest),
          Pen(1), Filled(1394, 0, 1439, 45, corner, 1), Pen(top),
          Line(1394, 0, 1439, 45, kShadow, top)};
}

const List kFocusRectangle{Dotted(), Box(50, 50, 1397, 317, kShadow, 1), Solid()};

// "OK" is 180 twips wide and "Hy" 195 high on the recorder: centred at
// (1455 - 180) / 2 = 637.5 and (375 - 195) / 2 = 90.
List CentredOk(float shift = 0, Colour fore = kText, Colour shown = kText) {
  List list{MeasureWidth(L"OK"), MeasureHeight(L"Hy")};
  if (shown != fore) list.push_back(Fore(shown));
  list.push_back(At(637.5f + shift, 90 + shift));
  list.push_back(Print(L"OK", 637.5f + shift, 90 + shift, shown));
  list.push_back(Fore(fore));
  return list;
}

List Pass(RecordedBrixButton& host) {
  host.Surface().ForgetCalls();
  host.Button().UserControl_Paint();
  return host.Surface().Calls();
}

// The dialog's OK button: back colour 0xF7E0BB, frame 1, caption centred.
void MakeDialogButton(RecordedBrixButton& host) {
  host.Button().SetBackColor(kBlue);
  host.Button().SetCaption(L"OK");
  host.Button().SetBorderStyle(1);
  host.Button().SetTextAlign(2);
  host.ForgetAll();
}

TEST(DialogButtonPaint, RestingFocusedHiddenFocusPressedAndDisabledLooks) {
  RecordedBrixButton host(1455, 375);
  MakeDialogButton(host);
  BrixButton& button = host.Button();
  EXPECT_EQ(Pass(host), Join({{Clear(kBlue)}, Frame(false), CentredOk()}));
  EXPECT_EQ(host.PictureRefreshes(), 1);  // the picture area redraws on top, last

  button.UserControl_GotFocus();
  EXPECT_EQ(Pass(host), Join({{Clear(kBlue)}, Frame(false), kFocusRectangle, CentredOk()}));
  button.SetHideFocus(true);
  EXPECT_EQ(Pass(host), Join({{Clear(kBlue)}, Frame(false), CentredOk()}));

  // The setter runs no layout pass: the caption stays where it was.
  button.SetHideFocus(false);
  button.SetButtonDown(true);
  EXPECT_EQ(Pass(host), Join({{Clear(kBlue)}, Frame(true), CentredOk()}));
  button.UserControl_Resize();
  EXPECT_EQ(Pass(host), Join({{Clear(kBlue)}, Frame(true), CentredOk(10)}));

  RecordedBrixButton disabled(1455, 375);
  MakeDialogButton(disabled);
  disabled.Button().SetForeColor(0x00112233);
  disabled.Button().SetEnabled(false);
  EXPECT_EQ(Pass(disabled),
            Join({{Clear(kBlue)}, Frame(false), CentredOk(0, 0x00112233, kGrey)}));
  EXPECT_EQ(disabled.Button().ForeColor(), 0x00112233u);
}

TEST(DialogButtonPaint, EachBorderStyleDrawsItsFrameAndFocusCue) {
  struct Look {
    std::int32_t border_style;
    bool focused;
    bool down;
    List frame;
  };
  const List none;
  const List raised = Frame(false);
  const List sunken = Frame(true);
  const std::vector<Look> looks{
      {0, false, false, none},   {0, true, false, raised},   {0, true, true, sunken},
      {0, false, true, sunken},  {1, false, false, raised},
      {1, true, false, Join({raised, kFocusRectangle})},
      {1, true, true, sunken},   {2, false, false, sunken},  {2, true, false, sunken},
      {2, false, true, sunken},  {3, true, false, none},     {-1, true, true, none},
  };
  RecordedBrixButton host(1455, 375);
  MakeDialogButton(host);
  BrixButton& button = host.Button();
  for (const Look& look : looks) {
    SCOPED_TRACE(::testing::Message() << "BorderStyle " << look.border_style << " focused "
                                      << look.focused << " down " << look.down);
    button.SetBorderStyle(look.border_style);
    if (look.focused) {
      button.UserControl_GotFocus();
    } else {
      button.UserControl_LostFocus();
    }
    button.SetButtonDown(look.down);
    button.UserControl_Resize();
    EXPECT_EQ(Pass(host), Join({{Clear(kBlue)}, look.frame, CentredOk(look.down ? 10 : 0)}));
  }
}

TEST(GradientPaint, ShadesFromFadetoColorToBackColorAndPressedTurnsItUpsideDown) {
  RecordedBrixButton host(1455, 375);
  BrixButton& button = host.Button();
  button.SetBackColor(0xFFFFFF);
  button.SetFadetoColor(0x000000);
  button.SetBorderStyle(3);  // no frame: only bands and caption
  button.SetStyle(1);
  const List pass = Pass(host);
  const List bands = Only(pass, Op::kFilledBox);
  ASSERT_EQ(bands.size(), 47u);  // 375 div 8 + 1, the last one past the bottom
  EXPECT_EQ(pass[0], Clear(0xFFFFFF));
  EXPECT_EQ(pass[1], Filled(0, 0, 1455, 8, RgbColour(6, 6, 6), 1));
  EXPECT_EQ(bands[45], Filled(0, 360, 1455, 368, 0xFFFFFF, 1));
  EXPECT_EQ(bands[46], Filled(0, 368, 1455, 376, 0xFFFFFF, 1));

  host.Surface().ForgetCalls();
  button.SetButtonDown(true);
  const List pressed = Only(host.Surface().Calls(), Op::kFilledBox);
  ASSERT_EQ(pressed.size(), 47u);
  EXPECT_EQ(pressed[0].colour, RgbColour(249, 249, 249));
  EXPECT_EQ(pressed[45].colour, 0x000000u);
  EXPECT_EQ(pressed[46].colour, 0x000000u);
}

TEST(GradientPaint, BandsUseThePenTheFrameLeftAndTheUnresolvedSystemColour) {
  RecordedBrixButton host(1455, 375);
  host.Button().SetStyle(1);
  host.Button().SetBorderStyle(2);  // sunken: the frame leaves the pen at 2
  const List pass = Pass(host);
  ASSERT_GT(pass.size(), 2u);
  EXPECT_EQ(pass[1].op, Op::kFilledBox);
  EXPECT_EQ(pass[1].number, 2);
  // From black toward the default back colour's number, RGB(15, 0, 0).
  const List bands = Only(pass, Op::kFilledBox);
  EXPECT_EQ(bands[0].colour, 0u);  // 15 / 46 rounds to 0
  EXPECT_EQ(bands[45].colour, RgbColour(15, 0, 0));
  EXPECT_EQ(bands[46].colour, RgbColour(15, 0, 0));
}

TEST(GradientPaint, HeightIsRoundedHalfToEvenBeforeCountingBands) {
  RecordedBrixButton host(100, 16.5f);  // 16.5 -> 16: bands at 0, 8 and 16
  host.Button().SetBorderStyle(3);
  host.Button().SetStyle(1);
  EXPECT_EQ(Only(host.Surface().Calls(), Op::kFilledBox).size(), 3u);
  host.Surface().Resize(100, 17.5f);  // 17.5 -> 18: still 3 bands
  EXPECT_EQ(Only(Pass(host), Op::kFilledBox).size(), 3u);
  host.Surface().Resize(100, 5);  // below one band: one band in the top colour
  EXPECT_EQ(Only(Pass(host), Op::kFilledBox), (List{Filled(0, 0, 100, 8, 0, 1)}));
}

TEST(FramePaint, CornersOfOtherStylesTakeTheFormsColour) {
  RecordedBrixButton host(1455, 375, SurfaceFont{}, 0x00C0C0C0);
  host.Button().SetBorderStyle(1);
  for (const std::int32_t style : {2, 0}) {
    host.Surface().ForgetCalls();
    host.Button().SetStyle(style);
    const List fills = Only(host.Surface().Calls(), Op::kFilledBox);
    ASSERT_EQ(fills.size(), 4u);
    for (const SurfaceCall& fill : fills) EXPECT_EQ(fill.colour, style ? 0x00C0C0C0u : kFace);
  }
}

TEST(CaptionPaint, PlacementFollowsTextAlignAndThePicture) {
  // The area keeps its 495 x 375 design size; the layout pass puts it at 72.75.
  RecordedBrixButton host(1455, 375);
  BrixButton& button = host.Button();
  button.SetBorderStyle(3);
  button.SetPicture(Image(16));
  button.SetCaption(L"Go");  // 180 twips wide
  struct Case {
    std::int32_t text_align;
    bool show_picture;
    float x;
  };
  const std::vector<Case> cases{
      {0, false, 72.75f},                             // 5% of the width in
      {0, true, 72.75f + 495 + 72.75f},               // after the picture's right edge
      {7, true, 72.75f + 495 + 72.75f},               // unknown values act as 0
      {1, false, 0.95f * 1455 - 180},                 // ending at 95%
      {1, true, 0.95f * 1455 - 180},                  // ignoring the picture
      {2, false, (1455 - 180) / 2.0f},                // centred
      {2, true, 72.75f + 495 + (1455 - 180) / 2.0f},  // centred, moved by the picture
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "TextAlign " << c.text_align << " picture "
                                      << c.show_picture);
    button.SetTextAlign(c.text_align);
    button.SetShowPicture(c.show_picture);
    const List prints = Only(host.Surface().Calls(), Op::kPrint);
    ASSERT_FALSE(prints.empty());
    EXPECT_FLOAT_EQ(prints.back().x1, c.x);
    EXPECT_FLOAT_EQ(prints.back().y1, 90);
  }

  // A picture above, 375 high at top (735 - 375 - 195) / 2 = 82.5: the caption
  // is centred between its bottom (457.5) and the control's, not moved sideways.
  host.Surface().Resize(1455, 735);
  button.SetTextAlign(2);
  button.SetPictureAlign(1);
  ASSERT_FLOAT_EQ(button.Picture1().Top(), 82.5f);
  EXPECT_FLOAT_EQ(Only(Pass(host), Op::kPrint).back().y1, 457.5f + (735 - 195 - 457.5f) / 2);
  EXPECT_FLOAT_EQ(Only(Pass(host), Op::kPrint).back().x1, (1455 - 180) / 2.0f);
  button.SetShowPicture(false);  // hidden: placed as if there were no picture
  EXPECT_FLOAT_EQ(Only(host.Surface().Calls(), Op::kPrint).back().y1, (735 - 195) / 2.0f);
}

}  // namespace
}  // namespace tavrel
