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

// The review dialog's OK and Cancel buttons are restored as that dialog saved
// them, when the layout puts a button exactly where one of them sits; any
// other button takes the layout's caption, font, back colour, frame and
// alignment. Either way the values reach the button through its bag.
[[nodiscard]] ButtonSettings SettingsForGradientButton(const GradientButtonSpec& layout);

}  // namespace tavrel
