#include "gradient_button/button_settings.h"

#include <array>
#include <cstdint>

namespace tavrel {
namespace {

// The saved look of one button; every property not listed keeps its default.
struct SavedLook {
  TwipsRect placement;
  Colour back_color;
  FontSpec font;
  const wchar_t* caption;
  std::int32_t border_style;
  std::int32_t text_align;
};

constexpr Colour kLightBlue = 0x00F7E0BB;

// The review dialog's BrixButton1 (OK) and BrixButton2 (Cancel): raised
// frame, centred caption, on a light blue face.
constexpr std::array kReviewDialogButtons{
    SavedLook{{1800, 3720, 1455, 375}, kLightBlue, kArial825Bold, L"OK", 1, 2},
    SavedLook{{3480, 3720, 1455, 375}, kLightBlue, kArial825Bold, L"Cancel", 1, 2},
};

SurfaceFont ToSurfaceFont(const FontSpec& font) {
  SurfaceFont surface_font;
  if (font.face != nullptr) surface_font.name = font.face;
  surface_font.points = font.hundredthsOfPoint / 100.0;
  surface_font.bold = font.bold;
  return surface_font;
}

PropertyBag BagOf(const SavedLook& look) {
  PropertyBag bag;
  bag.Set(L"BackColor", static_cast<std::int32_t>(look.back_color));
  bag.Set(L"Font", ToSurfaceFont(look.font));
  bag.Set(L"Caption", std::wstring(look.caption));
  bag.Set(L"BorderStyle", look.border_style);
  bag.Set(L"TextAlign", look.text_align);
  return bag;
}

}  // namespace

ButtonSettings SettingsForGradientButton(const GradientButtonSpec& layout) {
  SavedLook look{layout.button.rect, layout.backColor, layout.button.font, layout.button.caption.c_str(),
                 layout.borderStyle, layout.textAlign};
  for (const SavedLook& saved : kReviewDialogButtons) {
    if (saved.placement == layout.button.rect) look = saved;
  }
  ButtonSettings settings;
  settings.placement = look.placement;
  settings.properties = BagOf(look);
  return settings;
}

}  // namespace tavrel
