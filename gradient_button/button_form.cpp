#include "gradient_button/button_form.h"

namespace tavrel {
namespace {

constexpr Colour kFormBackColor = 0x8000000F;

}  // namespace

std::optional<ButtonSettings> ButtonSettingsFromForm(const FormDescription& form,
                                                     std::wstring_view name) {
  const FormDescription* control = form.Child(name);
  if (control == nullptr || LowerAsciiName(control->type) != LowerAsciiName(kBrixButtonType)) {
    return std::nullopt;
  }
  ButtonSettings settings;
  const PropertyBag& bag = control->properties;
  settings.placement = {ToInt32(bag.Read(L"left", 0), 0), ToInt32(bag.Read(L"top", 0), 0),
                        ToInt32(bag.Read(L"width", 0), 0), ToInt32(bag.Read(L"height", 0), 0)};
  settings.properties = bag;
  const SurfaceFont default_font;
  settings.ambient_font = ToFont(form.properties.Read(L"font", default_font), default_font);
  settings.ambient_back_color = static_cast<Colour>(ToInt32(
      form.properties.Read(L"backcolor", static_cast<std::int32_t>(kFormBackColor)),
      static_cast<std::int32_t>(kFormBackColor)));
  return settings;
}

FormDescription SaveForm(std::wstring_view form_type, std::wstring_view form_name,
                         const SurfaceFont& font, Colour back_color,
                         const std::vector<SavedButton>& buttons) {
  FormDescription form;
  form.type = form_type;
  form.name = form_name;
  form.properties.Set(L"font", font);
  form.properties.Write(L"backcolor", static_cast<std::int32_t>(back_color),
                        static_cast<std::int32_t>(kFormBackColor));
  for (const SavedButton& saved : buttons) {
    FormDescription control;
    control.type = kBrixButtonType;
    control.name = saved.name;
    control.properties.Set(L"left", saved.placement.left);
    control.properties.Set(L"top", saved.placement.top);
    control.properties.Set(L"width", saved.placement.width);
    control.properties.Set(L"height", saved.placement.height);
    if (saved.button != nullptr) saved.button->UserControl_WriteProperties(control.properties);
    form.children.push_back(std::move(control));
  }
  return form;
}

}  // namespace tavrel
