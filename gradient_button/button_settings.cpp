#include "gradient_button/button_settings.h"

#include <cstdint>

namespace tavrel {
namespace {

SurfaceFont ToSurfaceFont(const FontSpec& font) {
  SurfaceFont surface_font;
  if (font.face != nullptr) surface_font.name = font.face;
  surface_font.points = font.hundredthsOfPoint / 100.0;
  surface_font.bold = font.bold;
  return surface_font;
}

}  // namespace

ButtonSettings SettingsForGradientButton(const GradientButtonSpec& layout) {
  ButtonSettings settings;
  settings.placement = layout.button.rect;
  settings.properties.Set(L"BackColor", static_cast<std::int32_t>(layout.backColor));
  settings.properties.Set(L"Font", ToSurfaceFont(layout.button.font));
  settings.properties.Set(L"Caption", layout.button.caption);
  settings.properties.Set(L"BorderStyle", layout.borderStyle);
  settings.properties.Set(L"TextAlign", layout.textAlign);
  return settings;
}

}  // namespace tavrel
