// Properties and persistence of the gradient button.
#include "gradient_button/brix_button.h"

#include <utility>

namespace tavrel {
namespace {

constexpr std::int32_t AsInt(Colour colour) { return static_cast<std::int32_t>(colour); }
constexpr Colour AsColour(std::int32_t value) { return static_cast<Colour>(value); }

}  // namespace

BrixButton::BrixButton(Surface& surface, ButtonHost& host) : surface_(surface), host_(host) {}

void BrixButton::SetBackColor(Colour colour) {
  surface_.SetBackColor(colour);
  picture1_.SetBackColor(colour);
  host_.PictureAreaChanged();
  Notify(L"BackColor");
  UserControl_Paint();
}

void BrixButton::SetForeColor(Colour colour) {
  surface_.SetForeColor(colour);
  Notify(L"ForeColor");
}

void BrixButton::SetEnabled(bool enabled) {
  surface_.SetEnabled(enabled);
  Notify(L"Enabled");
  UserControl_Paint();
}

void BrixButton::SetFont(const SurfaceFont& font) {
  surface_.SetFont(font);
  Notify(L"Font");
}

void BrixButton::Refresh() { host_.RefreshSurface(); }

void BrixButton::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  Notify(L"Caption");
  UserControl_Paint();
}

void BrixButton::SetBorderStyle(std::int32_t style) {
  border_style_ = style;
  Notify(L"BorderStyle");
  UserControl_Paint();
}

void BrixButton::SetTextAlign(std::int32_t align) {
  text_align_ = align;
  Notify(L"TextAlign");
  UserControl_Paint();
}

void BrixButton::SetBehavior(std::int32_t behavior) {
  behavior_ = behavior;
  // Leaving toggle mode releases the button, without repainting: the
  // pressed look stays until the next paint pass.
  if (behavior == 0) button_down_ = false;
  Notify(L"Behavior");
}

void BrixButton::SetStyle(std::int32_t style) {
  style_ = style;
  Notify(L"Style");
  UserControl_Paint();
}

void BrixButton::SetFadetoColor(Colour colour) {
  fade_to_colour_ = colour;
  Notify(L"FadetoColor");
  UserControl_Paint();
}

void BrixButton::SetPicture(PicturePtr picture) {
  picture1_.SetImage(std::move(picture));
  picture1_.SetBackColor(surface_.BackColor());
  host_.PictureAreaChanged();
  Notify(L"Picture");
  UserControl_Resize();
  UserControl_Paint();
}

void BrixButton::SetShowPicture(bool show) {
  show_picture_ = show;
  picture1_.SetVisible(show);
  host_.PictureAreaChanged();
  Notify(L"ShowPicture");
  UserControl_Resize();
  UserControl_Paint();
}

void BrixButton::SetHideFocus(bool hide) {
  hide_focus_ = hide;
  Notify(L"HideFocus");
}

void BrixButton::SetButtonDown(bool down) {
  button_down_ = down;
  Notify(L"ButtonDown");
  UserControl_Paint();
}

void BrixButton::SetPictureAlign(std::int32_t align) {
  picture_align_ = align;
  Notify(L"PictureAlign");
  UserControl_Resize();
  UserControl_Paint();
}

void BrixButton::UserControl_InitProperties() {
  surface_.SetFont(host_.AmbientFont());
  caption_ = brix_defaults::kCaption;
  border_style_ = 0;
  text_align_ = 0;
  behavior_ = 0;
  style_ = 0;
  fade_to_colour_ = 0;
  show_picture_ = false;
  hide_focus_ = false;
  button_down_ = false;
  picture_align_ = 0;
}

void BrixButton::UserControl_ReadProperties(const PropertyBag& bag) {
  const auto read_int = [&](std::wstring_view name, std::int32_t fallback) {
    return ValueOr(bag.Read(name, fallback), fallback);
  };
  const auto read_bool = [&](std::wstring_view name, bool fallback) {
    return ToBool(bag.Read(name, BoolValue(fallback)), fallback);
  };
  const SurfaceFont ambient = host_.AmbientFont();
  const std::wstring default_caption = brix_defaults::kCaption;

  surface_.SetBackColor(AsColour(read_int(L"BackColor", AsInt(brix_defaults::kBackColor))));
  surface_.SetForeColor(AsColour(read_int(L"ForeColor", AsInt(brix_defaults::kForeColor))));
  surface_.SetEnabled(read_bool(L"Enabled", true));
  surface_.SetFont(ValueOr(bag.Read(L"Font", ambient), ambient));
  caption_ = ValueOr(bag.Read(L"Caption", default_caption), default_caption);
  border_style_ = read_int(L"BorderStyle", 0);
  text_align_ = read_int(L"TextAlign", 0);
  behavior_ = read_int(L"Behavior", 0);
  style_ = read_int(L"Style", 0);
  fade_to_colour_ = AsColour(read_int(L"FadetoColor", 0));
  SetPicture(ValueOr(bag.Read(L"Picture", PicturePtr{}), PicturePtr{}));
  // Fields only: the passes of the picture step above have already run with
  // these still at their initial values.
  show_picture_ = read_bool(L"ShowPicture", false);
  hide_focus_ = read_bool(L"HideFocus", false);
  button_down_ = read_bool(L"ButtonDown", false);
  picture_align_ = read_int(L"PictureAlign", 0);
}

void BrixButton::UserControl_WriteProperties(PropertyBag& bag) const {
  const std::wstring default_caption = brix_defaults::kCaption;
  bag.Write(L"BackColor", AsInt(surface_.BackColor()), AsInt(brix_defaults::kBackColor));
  bag.Write(L"ForeColor", AsInt(surface_.ForeColor()), AsInt(brix_defaults::kForeColor));
  bag.Write(L"Enabled", BoolValue(surface_.Enabled()), BoolValue(true));
  bag.Write(L"Font", surface_.Font(), host_.AmbientFont());
  bag.Write(L"Caption", caption_, default_caption);
  bag.Write(L"BorderStyle", border_style_, 0);
  bag.Write(L"TextAlign", text_align_, 0);
  bag.Write(L"Behavior", behavior_, 0);
  bag.Write(L"Style", style_, 0);
  bag.Write(L"FadetoColor", AsInt(fade_to_colour_), 0);
  bag.Write(L"Picture", picture1_.Image(), PicturePtr{});
  bag.Write(L"ShowPicture", BoolValue(show_picture_), BoolValue(false));
  bag.Write(L"HideFocus", BoolValue(hide_focus_), BoolValue(false));
  bag.Write(L"ButtonDown", BoolValue(button_down_), BoolValue(false));
  bag.Write(L"PictureAlign", picture_align_, 0);
}

}  // namespace tavrel
