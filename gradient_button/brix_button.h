#pragma once
// The gradient button (type "Tavrel.BrixButton"): an owner-drawn button with a
// 3-D frame with chamfered corners, a focus cue, an optional vertical
// gradient, a caption and a picture, acting as a push or toggle button.
//
// It draws only on its Surface and learns of input only through the
// handlers below, which a host window (or a test) calls; it raises its eight
// events through the callbacks in `events`. Handler names follow the
// control-name_event-name convention of every window in the program.
#include <cstdint>
#include <functional>
#include <string>

#include "gradient_button/button_host.h"
#include "gradient_button/picture_area.h"
#include "gradient_button/property_bag.h"
#include "ui/surface.h"

namespace tavrel {

// Every argument is passed by reference: a handler in the hosting form may
// change it, and the control reads KeyCode again afterwards.
struct BrixButtonEvents {
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void(std::int16_t& KeyCode, std::int16_t& Shift)> KeyDown;
  std::function<void(std::int16_t& KeyAscii)> KeyPress;
  std::function<void(std::int16_t& KeyCode, std::int16_t& Shift)> KeyUp;
  std::function<void(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y)> MouseDown;
  std::function<void(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y)> MouseMove;
  std::function<void(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y)> MouseUp;
};

namespace brix_defaults {
inline constexpr Colour kBackColor = 0x8000000F;
inline constexpr Colour kForeColor = 0x80000012;
inline constexpr wchar_t kCaption[] = L"BrixButton";
}  // namespace brix_defaults

class BrixButton {
 public:
  // The surface and the host outlive the button.
  BrixButton(Surface& surface, ButtonHost& host);
  BrixButton(const BrixButton&) = delete;
  BrixButton& operator=(const BrixButton&) = delete;

  BrixButtonEvents events;

  // Properties, in the order the control publishes them (Refresh sits
  // between Font and Caption). Setters store, then notify the container
  // and run the layout and paint passes that the look depends on.
  [[nodiscard]] Colour BackColor() const { return surface_.BackColor(); }
  void SetBackColor(Colour colour);
  [[nodiscard]] Colour ForeColor() const { return surface_.ForeColor(); }
  void SetForeColor(Colour colour);
  [[nodiscard]] bool Enabled() const { return surface_.Enabled(); }
  void SetEnabled(bool enabled);
  [[nodiscard]] const SurfaceFont& Font() const { return surface_.Font(); }
  void SetFont(const SurfaceFont& font);
  void Refresh();
  [[nodiscard]] const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  [[nodiscard]] std::int32_t BorderStyle() const { return border_style_; }
  void SetBorderStyle(std::int32_t style);
  [[nodiscard]] std::int32_t TextAlign() const { return text_align_; }
  void SetTextAlign(std::int32_t align);
  [[nodiscard]] std::int32_t Behavior() const { return behavior_; }
  void SetBehavior(std::int32_t behavior);
  [[nodiscard]] std::int32_t Style() const { return style_; }
  void SetStyle(std::int32_t style);
  [[nodiscard]] Colour FadetoColor() const { return fade_to_colour_; }
  void SetFadetoColor(Colour colour);
  [[nodiscard]] const PicturePtr& Picture() const { return picture1_.Image(); }
  void SetPicture(PicturePtr picture);
  [[nodiscard]] bool ShowPicture() const { return show_picture_; }
  void SetShowPicture(bool show);
  [[nodiscard]] bool HideFocus() const { return hide_focus_; }
  void SetHideFocus(bool hide);
  [[nodiscard]] bool ButtonDown() const { return button_down_; }
  void SetButtonDown(bool down);
  [[nodiscard]] std::int32_t PictureAlign() const { return picture_align_; }
  void SetPictureAlign(std::int32_t align);

  // State that is not a property.
  [[nodiscard]] bool HasFocus() const { return has_focus_; }
  [[nodiscard]] float PressOffset() const { return press_offset_; }
  [[nodiscard]] const PictureArea& Picture1() const { return picture1_; }

  // Persistence.
  void UserControl_InitProperties();
  void UserControl_ReadProperties(const PropertyBag& bag);
  void UserControl_WriteProperties(PropertyBag& bag) const;

  // Layout and paint passes.
  void UserControl_Resize();
  void UserControl_Paint();

  // Notices of the control's own surface.
  void UserControl_EnterFocus();
  void UserControl_GotFocus();
  void UserControl_ExitFocus();
  void UserControl_LostFocus();
  void UserControl_Click();
  void UserControl_DblClick();
  void UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
  void UserControl_KeyPress(std::int16_t& KeyAscii);
  void UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift);
  void UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
  void UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
  void UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);

  // Notices of the picture area, in its own coordinates; passed on to the
  // surface's handlers.
  void Picture1_Click();
  void Picture1_DblClick();
  void Picture1_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
  void Picture1_KeyPress(std::int16_t& KeyAscii);
  void Picture1_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift);
  void Picture1_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
  void Picture1_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
  void Picture1_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);

 private:
  void Notify(std::wstring_view persisted_name) { host_.PropertyChanged(persisted_name); }
  void DrawGradient(Colour TopColor, Colour BottomColor);
  void DrawFrame(std::int32_t Kind);
  [[nodiscard]] bool IsToggle() const { return behavior_ == 1; }

  Surface& surface_;
  ButtonHost& host_;
  PictureArea picture1_;
  std::wstring caption_ = brix_defaults::kCaption;
  std::int32_t border_style_ = 0;
  std::int32_t text_align_ = 0;
  std::int32_t behavior_ = 0;
  std::int32_t style_ = 0;
  Colour fade_to_colour_ = 0;
  bool show_picture_ = false;
  bool hide_focus_ = false;
  bool button_down_ = false;
  std::int32_t picture_align_ = 0;
  bool has_focus_ = false;
  float press_offset_ = 0;
};

}  // namespace tavrel
