#pragma once
// From the toolkit's description of a gradient button to the settings its
// host restores it with.
#include "gradient_button/button_form.h"
#include "ui/toolkit_controls.h"

namespace tavrel {

// A button of the review dialog (the shipped form description has a gradient
// button at exactly this placement) is restored from that description, as
// its form saved it. Any other button gets a bag written by the control's own
// save step from the layout's caption, font, back colour, frame and alignment,
// so it stores nothing that equals a default.
[[nodiscard]] ButtonSettings SettingsForGradientButton(const GradientButtonSpec& layout);

[[nodiscard]] SurfaceFont ToSurfaceFont(const FontSpec& font);

}  // namespace tavrel
