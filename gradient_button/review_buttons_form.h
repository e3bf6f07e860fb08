#pragma once
// The review dialog's OK and Cancel buttons as the program ships them: a form
// description kept in the program as text, restored through the property bag.
#include <string_view>

#include "gradient_button/button_form.h"

namespace tavrel {

inline constexpr wchar_t kReviewOkButton[] = L"BrixButton1";
inline constexpr wchar_t kReviewCancelButton[] = L"BrixButton2";

// The shipped text.
[[nodiscard]] std::wstring_view ReviewButtonsFormText();
// The parsed description (the shipped text always parses; a test proves it).
[[nodiscard]] FormDescription ReviewButtonsForm();
// Settings of BrixButton1 (OK) or BrixButton2 (Cancel).
[[nodiscard]] ButtonSettings ReviewDialogButton(std::wstring_view name);

}  // namespace tavrel
