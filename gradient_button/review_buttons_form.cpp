#include "gradient_button/review_buttons_form.h"

namespace tavrel {
namespace {

// Placement in twips in the dialog's client area. 16244923 is the light blue
// 0x00F7E0BB; every property not listed keeps its default.
constexpr std::wstring_view kText =
    LR"(begin Form frmMessage
  font = font("MS Sans Serif", 8.25)
  begin Tavrel.BrixButton BrixButton1
    left = 1800
    top = 3720
    width = 1455
    height = 375
    backcolor = 16244923
    font = font("Arial", 8.25, bold)
    caption = "OK"
    borderstyle = 1
    textalign = 2
  end
  begin Tavrel.BrixButton BrixButton2
    left = 3480
    top = 3720
    width = 1455
    height = 375
    backcolor = 16244923
    font = font("Arial", 8.25, bold)
    caption = "Cancel"
    borderstyle = 1
    textalign = 2
  end
end
)";

}  // namespace

std::wstring_view ReviewButtonsFormText() { return kText; }

FormDescription ReviewButtonsForm() {
  FormParseResult parsed = ParseFormDescription(kText);
  return parsed.form ? std::move(*parsed.form) : FormDescription{};
}

ButtonSettings ReviewDialogButton(std::wstring_view name) {
  auto settings = ButtonSettingsFromForm(ReviewButtonsForm(), name);
  return settings ? std::move(*settings) : ButtonSettings{};
}

}  // namespace tavrel
