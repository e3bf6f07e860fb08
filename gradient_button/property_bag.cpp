#include "gradient_button/property_bag.h"

#include <algorithm>
#include <cstdint>

namespace tavrel {

bool SameValue(const PropertyValue& a, const PropertyValue& b) {
  if (a.index() != b.index()) return false;
  if (const auto* picture = std::get_if<PicturePtr>(&a)) {
    return SamePicture(*picture, std::get<PicturePtr>(b));
  }
  return a == b;
}

bool ParseInt32(std::wstring_view text, std::int32_t& out) {
  std::int64_t value = 0;
  bool negative = false;
  unsigned base = 10;
  if (!text.empty() && text.front() == L'-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.size() > 2 && text[0] == L'&' && (text[1] == L'H' || text[1] == L'h')) {
    base = 16;
    text.remove_prefix(2);
    if (!text.empty() && text.back() == L'&') text.remove_suffix(1);
  }
  if (text.empty() || text.size() > 10) return false;
  for (wchar_t c : text) {
    unsigned digit = 0;
    if (c >= L'0' && c <= L'9') {
      digit = static_cast<unsigned>(c - L'0');
    } else if (base == 16 && c >= L'a' && c <= L'f') {
      digit = static_cast<unsigned>(c - L'a') + 10;
    } else if (base == 16 && c >= L'A' && c <= L'F') {
      digit = static_cast<unsigned>(c - L'A') + 10;
    } else {
      return false;
    }
    value = value * base + digit;
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > static_cast<std::int64_t>(UINT32_MAX)) return false;
  out = static_cast<std::int32_t>(static_cast<std::uint32_t>(value & 0xFFFFFFFF));
  return true;
}

std::int32_t ToInt32(const PropertyValue& value, std::int32_t fallback) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  if (const auto* text = std::get_if<std::wstring>(&value)) {
    std::int32_t parsed = 0;
    if (ParseInt32(*text, parsed)) return parsed;
  }
  return fallback;
}

bool ToBool(const PropertyValue& value, bool fallback) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number != 0;
  if (const auto* text = std::get_if<std::wstring>(&value)) {
    if (LowerAsciiName(*text) == L"true") return true;
    if (LowerAsciiName(*text) == L"false") return false;
    std::int32_t parsed = 0;
    if (ParseInt32(*text, parsed)) return parsed != 0;
  }
  return fallback;
}

std::wstring ToText(const PropertyValue& value, const std::wstring& fallback) {
  if (const auto* text = std::get_if<std::wstring>(&value)) return *text;
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_wstring(*number);
  return fallback;
}

SurfaceFont ToFont(const PropertyValue& value, const SurfaceFont& fallback) {
  if (const auto* font = std::get_if<SurfaceFont>(&value)) return *font;
  return fallback;
}

PicturePtr ToPicture(const PropertyValue& value, const PicturePtr& fallback) {
  if (const auto* picture = std::get_if<PicturePtr>(&value)) return *picture;
  return fallback;
}

// Property names are ASCII; folding only ASCII keeps names with other
// letters distinct rather than guessing at a locale.
std::wstring LowerAsciiName(std::wstring_view name) {
  std::wstring lower(name);
  for (wchar_t& c : lower) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return lower;
}

std::vector<PropertyBag::Entry>::const_iterator PropertyBag::Find(std::wstring_view name) const {
  const std::wstring key = LowerAsciiName(name);
  return std::find_if(entries_.begin(), entries_.end(),
                      [&](const Entry& entry) { return entry.first == key; });
}

PropertyValue PropertyBag::Read(std::wstring_view name, const PropertyValue& fallback) const {
  const auto found = Find(name);
  return found == entries_.end() ? fallback : found->second;
}

void PropertyBag::Write(std::wstring_view name, const PropertyValue& value,
                        const PropertyValue& fallback) {
  if (SameValue(value, fallback)) {
    const auto found = Find(name);
    if (found != entries_.end()) entries_.erase(found);
    return;
  }
  Set(name, value);
}

void PropertyBag::Set(std::wstring_view name, const PropertyValue& value) {
  const auto found = Find(name);
  if (found != entries_.end()) {
    entries_[static_cast<std::size_t>(found - entries_.begin())].second = value;
  } else {
    entries_.emplace_back(LowerAsciiName(name), value);
  }
}

bool PropertyBag::Contains(std::wstring_view name) const { return Find(name) != entries_.end(); }

}  // namespace tavrel
