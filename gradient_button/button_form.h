#pragma once
// Gradient buttons restored from, and saved into, a form description: the
// toolkit keeps each control's placement, the button its own properties.
#include <cstdint>
#include <optional>
#include <string_view>

#include "gradient_button/brix_button.h"
#include "gradient_button/form_description.h"

namespace tavrel {

inline constexpr wchar_t kBrixButtonType[] = L"Tavrel.BrixButton";

struct ControlPlacement {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const ControlPlacement&, const ControlPlacement&) = default;
};

// What a host needs to create one button as its form saved it.
struct ButtonSettings {
  ControlPlacement placement;
  PropertyBag properties;  // handed to UserControl_ReadProperties
  SurfaceFont ambient_font;   // the form's own font
  Colour ambient_back_color = 0x8000000F;
};

// The gradient button `name` among the form's controls; nothing when the form
// has no gradient button of that name.
[[nodiscard]] std::optional<ButtonSettings> ButtonSettingsFromForm(const FormDescription& form,
                                                                   std::wstring_view name);

// Saving: a form block holding its font, its back colour when not the
// default, and one block per button (placement, then the button's own
// properties as its save step writes them).
struct SavedButton {
  std::wstring_view name;
  ControlPlacement placement;
  const BrixButton* button = nullptr;
};
[[nodiscard]] FormDescription SaveForm(std::wstring_view form_type, std::wstring_view form_name,
                                       const SurfaceFont& font, Colour back_color,
                                       const std::vector<SavedButton>& buttons);

}  // namespace tavrel
