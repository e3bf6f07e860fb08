#pragma once
// A saved form description: nested blocks of controls, each with its type,
// name and property bag, as text.
//
//   begin Form frmMessage
//     font = font("MS Sans Serif", 8.25)
//     begin Tavrel.BrixButton BrixButton1
//       left = 1800
//       caption = "OK"
//       font = font("Arial", 8.25, bold)
//     end
//   end
//
// Values: a 32-bit integer (decimal; 0x or &H hexadecimal is read too), a
// quoted text (\\ \" \n \r \t \uXXXX \UXXXXXXXX escapes), font(name, points,
// flags...) with the flags bold, italic, underline and strikethrough,
// picture(width, height, "RRGGBB..." one group per pixel) or nothing.
// Blank lines and lines starting with # are skipped.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gradient_button/property_bag.h"

namespace tavrel {

struct FormDescription {
  std::wstring type;
  std::wstring name;
  PropertyBag properties;
  std::vector<FormDescription> children;

  // The direct child of that name (compared without regard to case).
  [[nodiscard]] const FormDescription* Child(std::wstring_view child_name) const;
};

struct FormParseResult {
  std::optional<FormDescription> form;
  int error_line = 0;  // 1-based line of the first problem; 0 when parsed
  std::wstring error;
};

[[nodiscard]] FormParseResult ParseFormDescription(std::wstring_view text);
[[nodiscard]] std::wstring WriteFormDescription(const FormDescription& form);

// One value in the text form above, and back.
[[nodiscard]] std::wstring FormatPropertyValue(const PropertyValue& value);
[[nodiscard]] std::optional<PropertyValue> ParsePropertyValue(std::wstring_view text);

}  // namespace tavrel
