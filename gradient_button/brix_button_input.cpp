// Input of the gradient button: focus, keys and mouse, on its surface and on
// its picture area. Mouse handlers change the state before raising their
// event; key handlers raise first and act on KeyCode as the host left it.
#include "gradient_button/brix_button.h"

namespace tavrel {
namespace {

constexpr std::int16_t kEnterKey = 13;
constexpr std::int16_t kSpaceKey = 32;

bool PressesButton(std::int16_t key_code) { return key_code == kEnterKey || key_code == kSpaceKey; }

template <typename Handler, typename... Args>
void Raise(const Handler& handler, Args&... args) {
  if (handler) handler(args...);
}

}  // namespace

void BrixButton::UserControl_EnterFocus() {
  has_focus_ = true;
  UserControl_Paint();
}

void BrixButton::UserControl_GotFocus() {
  has_focus_ = true;
  UserControl_Paint();
}

void BrixButton::UserControl_ExitFocus() {
  has_focus_ = false;
  UserControl_Paint();
}

void BrixButton::UserControl_LostFocus() {
  has_focus_ = false;
  UserControl_Paint();
}

void BrixButton::UserControl_Click() { Raise(events.Click); }

void BrixButton::UserControl_DblClick() { Raise(events.DblClick); }

void BrixButton::UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
  Raise(events.KeyDown, KeyCode, Shift);
  if (!PressesButton(KeyCode)) return;
  if (!IsToggle()) button_down_ = true;
  UserControl_Paint();
}

void BrixButton::UserControl_KeyPress(std::int16_t& KeyAscii) { Raise(events.KeyPress, KeyAscii); }

void BrixButton::UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
  Raise(events.KeyUp, KeyCode, Shift);
  if (!PressesButton(KeyCode)) return;
  button_down_ = IsToggle() ? !button_down_ : false;
  UserControl_Paint();
  // The key path has no click notice of its own; the button raises it.
  Raise(events.Click);
}

void BrixButton::UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  if (!IsToggle()) button_down_ = true;
  UserControl_Resize();
  UserControl_Paint();
  Raise(events.MouseDown, Button, Shift, X, Y);
}

void BrixButton::UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  Raise(events.MouseMove, Button, Shift, X, Y);
}

void BrixButton::UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  button_down_ = IsToggle() ? !button_down_ : false;
  UserControl_Resize();
  UserControl_Paint();
  Raise(events.MouseUp, Button, Shift, X, Y);
}

void BrixButton::Picture1_Click() { UserControl_Click(); }

void BrixButton::Picture1_DblClick() { UserControl_DblClick(); }

void BrixButton::Picture1_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) { UserControl_KeyDown(KeyCode, Shift); }

void BrixButton::Picture1_KeyPress(std::int16_t& KeyAscii) { UserControl_KeyPress(KeyAscii); }

void BrixButton::Picture1_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) { UserControl_KeyUp(KeyCode, Shift); }

void BrixButton::Picture1_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  float x = picture1_.Left() + X;
  float y = picture1_.Top() + Y;
  UserControl_MouseDown(Button, Shift, x, y);
}

void BrixButton::Picture1_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  float x = picture1_.Left() + X;
  float y = picture1_.Top() + Y;
  UserControl_MouseMove(Button, Shift, x, y);
}

void BrixButton::Picture1_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  float x = picture1_.Left() + X;
  float y = picture1_.Top() + Y;
  UserControl_MouseUp(Button, Shift, x, y);
}

}  // namespace tavrel
