// Input: focus, mouse and keys, push and toggle, and the picture area's notices.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gradient_button/recorded_brix_button.h"
#include "tests/gradient_button/calls.h"

namespace tavrel {
namespace {

using namespace calls;
using Log = std::vector<std::string>;

std::string Coord(float value) { return std::to_string(static_cast<int>(value)); }

// Logs every event together with the button's state at the moment it is raised.
class InputTest : public ::testing::Test {
 protected:
  InputTest() {
    button().SetCaption(L"OK");
    button().SetBorderStyle(1);
    button().SetTextAlign(2);
    auto& events = button().events;
    events.Click = [this] { Add("Click"); };
    events.DblClick = [this] { Add("DblClick"); };
    events.KeyDown = [this](std::int16_t& key, std::int16_t&) {
      Add("KeyDown " + std::to_string(key));
      if (zero_key_down) key = 0;
    };
    events.KeyPress = [this](std::int16_t& key) { Add("KeyPress " + std::to_string(key)); };
    events.KeyUp = [this](std::int16_t& key, std::int16_t&) {
      Add("KeyUp " + std::to_string(key));
      if (zero_key_up) key = 0;
    };
    events.MouseDown = [this](std::int16_t& b, std::int16_t&, float& x, float& y) {
      Add("MouseDown " + std::to_string(b) + " " + Coord(x) + "," + Coord(y));
    };
    events.MouseMove = [this](std::int16_t&, std::int16_t&, float& x, float& y) {
      Add("MouseMove " + Coord(x) + "," + Coord(y));
    };
    events.MouseUp = [this](std::int16_t& b, std::int16_t&, float& x, float& y) {
      Add("MouseUp " + std::to_string(b) + " " + Coord(x) + "," + Coord(y));
    };
    host.ForgetAll();
  }

  void Add(const std::string& event) {
    log.push_back(event + (button().ButtonDown() ? " [down]" : " [up]") +
                  (button().PressOffset() != 0 ? " shifted" : ""));
  }
  BrixButton& button() { return host.Button(); }
  int Passes() { return static_cast<int>(Only(host.Surface().Calls(), Op::kClear).size()); }
  void MouseDown(std::int16_t which = 1, float x = 100, float y = 50) {
    button().UserControl_MouseDown(which, shift, x, y);
  }
  void MouseUp(std::int16_t which = 1, float x = 100, float y = 50) {
    button().UserControl_MouseUp(which, shift, x, y);
  }
  void KeyDown(std::int16_t key) { button().UserControl_KeyDown(key, shift); }
  void KeyUp(std::int16_t key) { button().UserControl_KeyUp(key, shift); }

  RecordedBrixButton host{1455, 375};
  Log log;
  std::int16_t shift = 0;
  bool zero_key_down = false;
  bool zero_key_up = false;
};

TEST_F(InputTest, MouseChangesStateBeforeEachEventAndOnlyAReleaseInsideClicks) {
  MouseDown();
  MouseUp();
  button().UserControl_Click();  // the toolkit's click notice after the release
  EXPECT_EQ(Passes(), 2);
  // The pressed pass already shows the caption 10 twips right and down.
  const List prints = Only(host.Surface().Calls(), Op::kPrint);
  ASSERT_EQ(prints.size(), 2u);
  EXPECT_FLOAT_EQ(prints[0].x1, 647.5f);
  EXPECT_FLOAT_EQ(prints[0].y1, 100);
  EXPECT_FLOAT_EQ(prints[1].x1, 637.5f);
  // Any mouse button presses; released outside, the release still arrives.
  MouseDown(2);
  MouseUp(2, -300, 900);
  EXPECT_EQ(log, (Log{"MouseDown 1 100,50 [down] shifted", "MouseUp 1 100,50 [up]", "Click [up]",
                      "MouseDown 2 100,50 [down] shifted", "MouseUp 2 -300,900 [up]"}));
}

TEST_F(InputTest, EnterAndSpaceRaiseFirstThenPressAndClickWithoutShiftingTheCaption) {
  for (std::int16_t key : {std::int16_t{13}, std::int16_t{32}}) {
    log.clear();
    host.Surface().ForgetCalls();
    KeyDown(key);
    button().UserControl_KeyPress(key);
    KeyUp(key);
    const std::string k = std::to_string(key);
    EXPECT_EQ(log, (Log{"KeyDown " + k + " [up]", "KeyPress " + k + " [down]",
                        "KeyUp " + k + " [down]", "Click [up]"}));
    EXPECT_EQ(Passes(), 2);
    // Pressed frame, but no layout pass: the caption does not move.
    const List prints = Only(host.Surface().Calls(), Op::kPrint);
    ASSERT_EQ(prints.size(), 2u);
    EXPECT_FLOAT_EQ(prints[0].x1, 637.5f);
    EXPECT_EQ(Only(host.Surface().Calls(), Op::kLine)[0].colour, kDark);  // sunken
  }
  host.ForgetAll();
  log.clear();
  KeyDown(65);
  KeyUp(65);
  EXPECT_EQ(Passes(), 0);
  EXPECT_FALSE(button().ButtonDown());
  KeyDown(32);
  KeyDown(32);  // key repeat repaints every time
  EXPECT_EQ(Passes(), 2);
  EXPECT_TRUE(button().ButtonDown());
}

TEST_F(InputTest, AHostHandlerZeroingTheKeyStopsThePressOrTheReleaseAndItsClick) {
  KeyUp(13);  // a key released here clicks even when it went down elsewhere
  EXPECT_EQ(log, (Log{"KeyUp 13 [up]", "Click [up]"}));
  log.clear();
  host.ForgetAll();
  zero_key_down = true;
  KeyDown(13);
  EXPECT_FALSE(button().ButtonDown());
  EXPECT_EQ(Passes(), 0);

  zero_key_down = false;
  zero_key_up = true;
  KeyDown(13);
  KeyUp(13);
  EXPECT_TRUE(button().ButtonDown());  // stays down until the next release
  EXPECT_EQ(Passes(), 1);
  zero_key_up = false;
  KeyUp(32);
  EXPECT_FALSE(button().ButtonDown());
  EXPECT_EQ(log.back(), "Click [up]");
  EXPECT_EQ(std::count(log.begin(), log.end(), "Click [up]"), 1);
}

TEST_F(InputTest, ToggleFlipsOnEveryReleaseAndBehaviorZeroReleasesWithoutRepainting) {
  button().SetBehavior(1);
  host.ForgetAll();
  MouseDown();
  EXPECT_FALSE(button().ButtonDown());
  EXPECT_EQ(Passes(), 1);  // still the passes of a press
  MouseUp();
  button().UserControl_Click();
  EXPECT_TRUE(button().ButtonDown());
  KeyDown(13);
  EXPECT_TRUE(button().ButtonDown());
  EXPECT_EQ(Passes(), 3);
  KeyUp(13);
  EXPECT_FALSE(button().ButtonDown());
  EXPECT_EQ(log, (Log{"MouseDown 1 100,50 [up]", "MouseUp 1 100,50 [down] shifted",
                      "Click [down] shifted", "KeyDown 13 [down] shifted",
                      "KeyUp 13 [down] shifted", "Click [up] shifted"}));

  MouseDown();
  MouseUp();
  ASSERT_TRUE(button().ButtonDown());
  host.ForgetAll();
  button().SetBehavior(2);  // a push button now, still down
  EXPECT_TRUE(button().ButtonDown());
  button().SetBehavior(0);
  EXPECT_FALSE(button().ButtonDown());
  EXPECT_EQ(Passes(), 0);
  EXPECT_EQ(host.Notices(), (std::vector<std::wstring>{L"Behavior", L"Behavior"}));
}

TEST_F(InputTest, PictureAreaNoticesReachTheSurfaceInItsCoordinates) {
  // The area sits at its design place, 240, 240, until a layout pass moves it.
  std::int16_t which = 1;
  float x = 10;
  float y = 20;
  button().Picture1_MouseDown(which, shift, x, y);
  const std::string moved = Coord(button().Picture1().Left() + 10) + "," +
                            Coord(button().Picture1().Top() + 20);  // by that press's layout
  x = 10;
  y = 20;
  button().Picture1_MouseMove(which, shift, x, y);
  button().Picture1_MouseUp(which, shift, x, y);
  button().Picture1_Click();
  std::int16_t key = 32;
  button().Picture1_KeyDown(key, shift);
  button().Picture1_KeyPress(key);
  button().Picture1_KeyUp(key, shift);
  button().Picture1_DblClick();
  EXPECT_EQ(log, (Log{"MouseDown 1 250,260 [down] shifted", "MouseMove " + moved + " [down] shifted",
                      "MouseUp 1 " + moved + " [up]", "Click [up]", "KeyDown 32 [up]",
                      "KeyPress 32 [down]", "KeyUp 32 [down]", "Click [up]", "DblClick [up]"}));
}

TEST_F(InputTest, FocusNoticesKeepHasFocusAndRepaint) {
  button().UserControl_EnterFocus();
  EXPECT_TRUE(button().HasFocus());
  button().UserControl_ExitFocus();
  EXPECT_FALSE(button().HasFocus());
  button().UserControl_GotFocus();
  EXPECT_TRUE(button().HasFocus());
  button().UserControl_LostFocus();
  EXPECT_FALSE(button().HasFocus());
  EXPECT_EQ(Passes(), 4);
}

// What the review dialog relies on: a mouse press on OK raises MouseDown
// before the click, the keyboard never does.
TEST(ButtonControlAdapter, SeesMouseDownOnlyFromTheMouse) {
  RecordedBrixButton host(1455, 375);
  ButtonControl& ok = host.Control();
  int auto_repair = 0;
  std::vector<int> applied_with;
  ok.OnMouseDown = [&] { auto_repair = 1; };
  ok.OnClick = [&] { applied_with.push_back(auto_repair); };
  std::int16_t key = 13;
  std::int16_t shift = 0;
  host.Button().UserControl_KeyDown(key, shift);
  host.Button().UserControl_KeyUp(key, shift);
  std::int16_t which = 1;
  float x = 5;
  float y = 5;
  host.Button().UserControl_MouseDown(which, shift, x, y);
  host.Button().UserControl_MouseUp(which, shift, x, y);
  host.Button().UserControl_Click();
  EXPECT_EQ(applied_with, (std::vector<int>{0, 1}));
  ok.SetCaption(L"OK [29]");
  EXPECT_EQ(host.Button().Caption(), L"OK [29]");
  EXPECT_EQ(ok.Caption(), L"OK [29]");
}

}  // namespace
}  // namespace tavrel
