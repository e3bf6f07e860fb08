// Whole paint passes, compared call by call.
#include <gtest/gtest.h>

#include "gradient_button/recorded_brix_button.h"
#include "tests/gradient_button/calls.h"

namespace tavrel {
namespace {

using namespace calls;

constexpr Colour kBlue = 0x00F7E0BB;

// The frame of a 1455 x 375 button, raised, as DrawFrame draws it: pen 2
// outer edges, then the inner box with its four chamfered corners.
List RaisedFrame(Colour corner = kFace) {
  return {
      Pen(2),
      Line(15, 15, 1455, 0, kLight, 2),
      Line(15, 15, 0, 375, kLight, 2),
      Line(1447, 0, 1447, 367, kDark, 2),
      Line(0, 367, 1447, 367, kDark, 2),
      Pen(1),
      Pen(2),
      Box(0, 0, 1439, 359, kShadow, 2),
      Pen(1),
      Filled(0, 0, 45, 45, corner, 1),
      Pen(1),
      Line(0, 45, 45, 0, kShadow, 1),
      Pen(1),
      Filled(0, 314, 45, 359, corner, 1),
      Pen(2),
      Line(0, 314, 45, 359, kShadow, 2),
      Pen(1),
      Filled(1394, 314, 1439, 359, corner, 1),
      Pen(2),
      Line(1394, 359, 1439, 314, kShadow, 2),
      Pen(1),
      Filled(1394, 0, 1439, 45, corner, 1),
      Pen(1),
      Line(1394, 0, 1439, 45, kShadow, 1),
  };
}

// Sunken: the edge colours swap, the box and bottom diagonals go thin and the
// top diagonals thick; the pen is left at 2.
List SunkenFrame(Colour corner = kFace) {
  return {
      Pen(2),
      Line(15, 15, 1455, 0, kDark, 2),
      Line(15, 15, 0, 375, kDark, 2),
      Line(1447, 0, 1447, 367, kLight, 2),
      Line(0, 367, 1447, 367, kLight, 2),
      Pen(1),
      Pen(1),
      Box(0, 0, 1439, 359, kShadow, 1),
      Pen(1),
      Filled(0, 0, 45, 45, corner, 1),
      Pen(2),
      Line(0, 45, 45, 0, kShadow, 2),
      Pen(1),
      Filled(0, 314, 45, 359, corner, 1),
      Pen(1),
      Line(0, 314, 45, 359, kShadow, 1),
      Pen(1),
      Filled(1394, 314, 1439, 359, corner, 1),
      Pen(1),
      Line(1394, 359, 1439, 314, kShadow, 1),
      Pen(1),
      Filled(1394, 0, 1439, 45, corner, 1),
      Pen(2),
      Line(1394, 0, 1439, 45, kShadow, 2),
  };
}

List FocusRectangle() { return {Dotted(), Box(50, 50, 1397, 317, kShadow, 1), Solid()}; }

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

// The dialog's OK button: back colour 0xF7E0BB, frame 1, caption centred.
class DialogButtonPaint : public ::testing::Test {
 protected:
  DialogButtonPaint() {
    button().SetBackColor(kBlue);
    button().SetCaption(L"OK");
    button().SetBorderStyle(1);
    button().SetTextAlign(2);
    host.ForgetAll();
  }
  BrixButton& button() { return host.Button(); }
  const List& Pass() {
    host.Surface().ForgetCalls();
    button().UserControl_Paint();
    return host.Surface().Calls();
  }

  RecordedBrixButton host{1455, 375};
};

TEST_F(DialogButtonPaint, RestingShowsTheRaisedChamferedFrameAndTheCentredCaption) {
  EXPECT_EQ(Pass(), Join({{Clear(kBlue)}, RaisedFrame(), CentredOk()}));
  EXPECT_EQ(host.PictureRefreshes(), 1);  // the picture area redraws on top, last
}

TEST_F(DialogButtonPaint, FocusAddsTheDottedRectangleWithThePenDrawFrameLeft) {
  button().UserControl_GotFocus();
  EXPECT_EQ(Pass(), Join({{Clear(kBlue)}, RaisedFrame(), FocusRectangle(), CentredOk()}));

  button().SetHideFocus(true);
  EXPECT_EQ(Pass(), Join({{Clear(kBlue)}, RaisedFrame(), CentredOk()}));
}

TEST_F(DialogButtonPaint, PressedSinksTheFrameDropsTheFocusCueAndShiftsOnlyAfterALayoutPass) {
  button().UserControl_GotFocus();
  button().SetButtonDown(true);
  // The setter runs no layout pass: the caption stays where it was.
  EXPECT_EQ(Pass(), Join({{Clear(kBlue)}, SunkenFrame(), CentredOk()}));

  button().UserControl_Resize();
  EXPECT_EQ(Pass(), Join({{Clear(kBlue)}, SunkenFrame(), CentredOk(10)}));
}

TEST_F(DialogButtonPaint, DisabledPrintsInGreyTextAndRestoresForeColor) {
  button().SetForeColor(0x00112233);
  button().SetEnabled(false);
  EXPECT_EQ(Pass(), Join({{Clear(kBlue)}, RaisedFrame(), CentredOk(0, 0x00112233, kGrey)}));
  EXPECT_EQ(button().ForeColor(), 0x00112233u);
}

TEST_F(DialogButtonPaint, EachBorderStyleDrawsItsFrameAndFocusCue) {
  struct Look {
    std::int32_t border_style;
    bool focused;
    bool down;
    List frame;
  };
  const List none;
  const List raised = RaisedFrame();
  const List sunken = SunkenFrame();
  const List raised_focus = Join({raised, FocusRectangle()});
  const std::vector<Look> looks{
      {0, false, false, none},   {0, true, false, raised},   {0, true, true, sunken},
      {0, false, true, sunken},  {1, false, false, raised},  {1, true, false, raised_focus},
      {1, true, true, sunken},   {2, false, false, sunken},  {2, true, false, sunken},
      {2, false, true, sunken},  {3, true, false, none},     {-1, true, true, none},
  };
  for (const Look& look : looks) {
    SCOPED_TRACE(::testing::Message() << "BorderStyle " << look.border_style << " focused "
                                      << look.focused << " down " << look.down);
    button().SetBorderStyle(look.border_style);
    if (look.focused) {
      button().UserControl_GotFocus();
    } else {
      button().UserControl_LostFocus();
    }
    button().SetButtonDown(look.down);
    button().UserControl_Resize();
    EXPECT_EQ(Pass(), Join({{Clear(kBlue)}, look.frame, CentredOk(look.down ? 10 : 0)}));
  }
}

TEST(GradientPaint, RestingShadesFromFadetoColorDownToBackColorWithTheBandPastTheBottom) {
  RecordedBrixButton host(1455, 375);
  BrixButton& button = host.Button();
  button.SetBackColor(0xFFFFFF);
  button.SetFadetoColor(0x000000);
  button.SetBorderStyle(3);  // no frame: only bands and caption
  button.SetStyle(1);
  host.Surface().ForgetCalls();
  button.UserControl_Paint();

  const List bands = Only(host.Surface().Calls(), Op::kFilledBox);
  ASSERT_EQ(bands.size(), 47u);  // 375 div 8 + 1
  EXPECT_EQ(bands[0], Filled(0, 0, 1455, 8, RgbColour(6, 6, 6), 1));
  EXPECT_EQ(bands[45], Filled(0, 360, 1455, 368, 0xFFFFFF, 1));
  EXPECT_EQ(bands[46], Filled(0, 368, 1455, 376, 0xFFFFFF, 1));
  EXPECT_EQ(host.Surface().Calls().front(), Clear(0xFFFFFF));
  EXPECT_EQ(host.Surface().Calls()[1], bands[0]);  // bands come right after clearing
}

TEST(GradientPaint, PressedTurnsTheGradientUpsideDown) {
  RecordedBrixButton host(1455, 375);
  BrixButton& button = host.Button();
  button.SetBackColor(0xFFFFFF);
  button.SetStyle(1);
  button.SetBorderStyle(3);
  host.Surface().ForgetCalls();
  button.SetButtonDown(true);

  const List bands = Only(host.Surface().Calls(), Op::kFilledBox);
  ASSERT_EQ(bands.size(), 47u);
  EXPECT_EQ(bands[0].colour, RgbColour(249, 249, 249));
  EXPECT_EQ(bands[45].colour, 0x000000u);
  EXPECT_EQ(bands[46].colour, 0x000000u);
}

TEST(GradientPaint, BandsAreOutlinedWithThePenWidthTheLastFrameLeft) {
  RecordedBrixButton host(1455, 375);
  BrixButton& button = host.Button();
  button.SetStyle(1);
  button.SetBorderStyle(2);  // sunken: DrawFrame leaves the pen at 2
  host.Surface().ForgetCalls();
  button.UserControl_Paint();

  const List& pass = host.Surface().Calls();
  ASSERT_GT(pass.size(), 2u);
  EXPECT_EQ(pass[1].op, Op::kFilledBox);
  EXPECT_EQ(pass[1].number, 2);
  // The default back colour is a system colour: the gradient runs from black
  // toward its unresolved number, RGB(15, 0, 0), and a step beyond.
  const List bands = Only(pass, Op::kFilledBox);
  EXPECT_EQ(bands[0].colour, 0u);  // 15 / 46 = 0.33 rounds to 0
  EXPECT_EQ(bands[45].colour, RgbColour(15, 0, 0));
  EXPECT_EQ(bands[46].colour, RgbColour(15, 0, 0));
}

TEST(GradientPaint, HeightIsRoundedHalfToEvenBeforeCountingBands) {
  RecordedBrixButton host(100, 16.5f);  // 16.5 -> 16: bands at 0, 8 and 16
  host.Button().SetBorderStyle(3);
  host.Button().SetStyle(1);
  EXPECT_EQ(Only(host.Surface().Calls(), Op::kFilledBox).size(), 3u);

  host.Surface().Resize(100, 17.5f);  // 17.5 -> 18: still 3 bands
  host.Surface().ForgetCalls();
  host.Button().UserControl_Paint();
  EXPECT_EQ(Only(host.Surface().Calls(), Op::kFilledBox).size(), 3u);

  host.Surface().Resize(100, 5);  // below one band: a single band in the top colour
  host.Surface().ForgetCalls();
  host.Button().UserControl_Paint();
  const List bands = Only(host.Surface().Calls(), Op::kFilledBox);
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0].colour, 0u);  // FadetoColor, the top of a resting button
}

TEST(FramePaint, CornersOfOtherStylesTakeTheFormsColour) {
  RecordedBrixButton host(1455, 375, SurfaceFont{}, 0x00C0C0C0);
  host.Button().SetBorderStyle(1);
  host.Surface().ForgetCalls();
  host.Button().SetStyle(2);
  const List fills = Only(host.Surface().Calls(), Op::kFilledBox);
  ASSERT_EQ(fills.size(), 4u);
  for (const SurfaceCall& fill : fills) EXPECT_EQ(fill.colour, 0x00C0C0C0u);

  host.Surface().ForgetCalls();
  host.Button().SetStyle(0);
  for (const SurfaceCall& fill : Only(host.Surface().Calls(), Op::kFilledBox)) {
    EXPECT_EQ(fill.colour, kFace);
  }
}

TEST(CaptionPaint, PlacementFollowsTextAlignAndThePicture) {
  // A 240 x 240 picture at the left: the layout pass puts it at left 72.75.
  RecordedBrixButton host(1455, 375);
  BrixButton& button = host.Button();
  button.SetBorderStyle(3);
  auto picture = std::make_shared<Picture>();
  picture->width = 16;
  picture->height = 16;
  picture->pixels.assign(256, 0x00FF0000);
  button.SetPicture(picture);  // the area keeps its 495 x 375 design size
  button.SetCaption(L"Go");    // 180 twips wide
  struct Case {
    std::int32_t text_align;
    bool show_picture;
    float x;
  };
  const std::vector<Case> cases{
      {0, false, 72.75f},                      // 5% of the width in
      {0, true, 72.75f + 495 + 72.75f},        // after the picture's right edge
      {7, true, 72.75f + 495 + 72.75f},        // unknown values act as 0
      {1, false, 0.95f * 1455 - 180},          // ending at 95%
      {1, true, 0.95f * 1455 - 180},           // ignoring the picture
      {2, false, (1455 - 180) / 2.0f},         // centred
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
}

TEST(CaptionPaint, APictureAboveCentresTheCaptionBelowIt) {
  RecordedBrixButton host(1455, 735);
  BrixButton& button = host.Button();
  button.SetBorderStyle(3);
  button.SetTextAlign(2);
  button.SetCaption(L"Go");
  button.SetPictureAlign(1);
  button.SetShowPicture(true);
  // Picture 375 high at top (735 - 375 - 195) / 2 = 82.5; the caption is
  // centred between its bottom (457.5) and the bottom of the control.
  ASSERT_FLOAT_EQ(button.Picture1().Top(), 82.5f);
  const List prints = Only(host.Surface().Calls(), Op::kPrint);
  ASSERT_FALSE(prints.empty());
  EXPECT_FLOAT_EQ(prints.back().y1, 457.5f + (735 - 195 - 457.5f) / 2);
  EXPECT_FLOAT_EQ(prints.back().x1, (1455 - 180) / 2.0f);  // no horizontal reservation

  button.SetShowPicture(false);  // hidden: placed as if there were no picture
  EXPECT_FLOAT_EQ(Only(host.Surface().Calls(), Op::kPrint).back().y1, (735 - 195) / 2.0f);
}

}  // namespace
}  // namespace tavrel
