#pragma once
// The container's store of a control's design-time values. read(name,
// default) gives the stored value or the default; write(name, value, default)
// stores the value unless it equals the default. Names match without regard
// to case and are kept in lower case, in the order they were first written.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "gradient_button/picture.h"
#include "ui/surface.h"

namespace tavrel {

// Booleans are kept as 16-bit integers: true is -1, false 0.
using PropertyValue = std::variant<std::int32_t, std::wstring, SurfaceFont, PicturePtr>;

[[nodiscard]] bool SameValue(const PropertyValue& a, const PropertyValue& b);
[[nodiscard]] inline PropertyValue BoolValue(bool value) { return std::int32_t{value ? -1 : 0}; }

// What a restore reads from a stored value. A value of another kind (text
// where a colour belongs, a number where a font does) gives the fallback, so
// a damaged bag restores the default instead of failing.
template <typename T>
[[nodiscard]] T ValueOr(const PropertyValue& value, const T& fallback) {
  const T* stored = std::get_if<T>(&value);
  return stored ? *stored : fallback;
}
[[nodiscard]] inline bool ToBool(const PropertyValue& value, bool fallback) {
  const auto* number = std::get_if<std::int32_t>(&value);
  return number ? *number != 0 : fallback;
}

[[nodiscard]] std::wstring LowerAsciiName(std::wstring_view name);

class PropertyBag {
 public:
  using Entry = std::pair<std::wstring, PropertyValue>;

  [[nodiscard]] PropertyValue Read(std::wstring_view name, const PropertyValue& fallback) const;
  // A value equal to its default is not stored; one stored before under that
  // name is dropped, so the bag then reads back the default as well.
  void Write(std::wstring_view name, const PropertyValue& value, const PropertyValue& fallback);
  // Stores unconditionally (a saved look being put into a bag).
  void Set(std::wstring_view name, const PropertyValue& value);

  [[nodiscard]] const std::vector<Entry>& Entries() const { return entries_; }
  [[nodiscard]] bool Empty() const { return entries_.empty(); }

 private:
  [[nodiscard]] std::vector<Entry>::const_iterator Find(std::wstring_view name) const;

  std::vector<Entry> entries_;
};

}  // namespace tavrel
