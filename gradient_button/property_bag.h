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
[[nodiscard]] inline PropertyValue BoolValue(bool value) {
  return std::int32_t{value ? -1 : 0};
}

// Conversions a restore applies to a stored value. A value of a kind that
// cannot stand for the wanted one (text that is no number, a font where a
// colour belongs) gives the fallback, so a damaged description restores the
// default instead of failing.
[[nodiscard]] std::int32_t ToInt32(const PropertyValue& value, std::int32_t fallback);
[[nodiscard]] bool ToBool(const PropertyValue& value, bool fallback);
[[nodiscard]] std::wstring ToText(const PropertyValue& value, const std::wstring& fallback);
[[nodiscard]] SurfaceFont ToFont(const PropertyValue& value, const SurfaceFont& fallback);
[[nodiscard]] PicturePtr ToPicture(const PropertyValue& value, const PicturePtr& fallback);

// Whole decimal (optionally negative) or 0x/&H hexadecimal; anything from
// INT32_MIN to UINT32_MAX, the upper half wrapping as a colour 0x8000000F does.
[[nodiscard]] bool ParseInt32(std::wstring_view text, std::int32_t& out);

[[nodiscard]] std::wstring LowerAsciiName(std::wstring_view name);

class PropertyBag {
 public:
  using Entry = std::pair<std::wstring, PropertyValue>;

  [[nodiscard]] PropertyValue Read(std::wstring_view name, const PropertyValue& fallback) const;
  // A value equal to its default is not stored; one stored before under that
  // name is dropped, so the bag then reads back the default as well.
  void Write(std::wstring_view name, const PropertyValue& value, const PropertyValue& fallback);
  // Stores unconditionally (a description being parsed, a container's own size).
  void Set(std::wstring_view name, const PropertyValue& value);
  [[nodiscard]] bool Contains(std::wstring_view name) const;

  [[nodiscard]] const std::vector<Entry>& Entries() const { return entries_; }
  [[nodiscard]] bool Empty() const { return entries_.empty(); }

 private:
  [[nodiscard]] std::vector<Entry>::const_iterator Find(std::wstring_view name) const;

  std::vector<Entry> entries_;
};

}  // namespace tavrel
