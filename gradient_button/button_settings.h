#pragma once
// What a host creates one gradient button with: where it sits, the property
// bag its properties are read from, and what the form around it offers.
#include "gradient_button/property_bag.h"
#include "ui/surface.h"
#include "ui/toolkit_controls.h"

namespace tavrel {

struct ButtonSettings {
  TwipsRect placement;
  PropertyBag properties;    // handed to UserControl_ReadProperties
  SurfaceFont ambient_font;  // the form's own font
  Colour ambient_back_color = system_colour::kButtonFace;
};

// A button's saved settings are its layout (the review dialog's OK and Cancel
// keep theirs in that dialog's table): caption, font, back colour, frame and
// alignment reach the button through its property bag, as a saved form's would.
[[nodiscard]] ButtonSettings SettingsForGradientButton(const GradientButtonSpec& layout);

}  // namespace tavrel
