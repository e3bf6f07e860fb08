#include "gradient_button/toolkit_button.h"

#include "gradient_button/recorded_brix_button.h"
#include "gradient_button/review_buttons_form.h"

namespace tavrel {

SurfaceFont ToSurfaceFont(const FontSpec& font) {
  SurfaceFont surface_font;
  if (font.face != nullptr) surface_font.name = font.face;
  surface_font.points = font.hundredthsOfPoint / 100.0;
  surface_font.bold = font.bold;
  return surface_font;
}

ButtonSettings SettingsForGradientButton(const GradientButtonSpec& layout) {
  const ControlPlacement placement{layout.button.rect.left, layout.button.rect.top,
                                   layout.button.rect.width, layout.button.rect.height};
  const FormDescription shipped = ReviewButtonsForm();
  for (const FormDescription& control : shipped.children) {
    auto settings = ButtonSettingsFromForm(shipped, control.name);
    if (settings && settings->placement == placement) return std::move(*settings);
  }

  ButtonSettings settings;
  settings.placement = placement;
  settings.ambient_font = ButtonSettingsFromForm(shipped, kReviewOkButton).value_or(settings).ambient_font;
  RecordedBrixButton designer(static_cast<float>(placement.width),
                              static_cast<float>(placement.height), settings.ambient_font);
  BrixButton& button = designer.Button();
  button.UserControl_InitProperties();
  button.SetBackColor(layout.backColor);
  button.SetFont(ToSurfaceFont(layout.button.font));
  button.SetCaption(layout.button.caption);
  button.SetBorderStyle(layout.borderStyle);
  button.SetTextAlign(layout.textAlign);
  button.UserControl_WriteProperties(settings.properties);
  return settings;
}

}  // namespace tavrel
