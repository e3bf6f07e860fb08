#pragma once
// The help lines the gradient button publishes for a form designer.
#include <string_view>

namespace tavrel {

// The description of a property, method or event by its name (exact case),
// or an empty text for members that have none.
[[nodiscard]] std::wstring_view BrixButtonDescription(std::wstring_view member);

}  // namespace tavrel
