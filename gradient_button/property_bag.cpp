#include "gradient_button/property_bag.h"

#include <algorithm>

namespace tavrel {

bool SameValue(const PropertyValue& a, const PropertyValue& b) {
  if (a.index() != b.index()) return false;
  if (const auto* picture = std::get_if<PicturePtr>(&a)) {
    return SamePicture(*picture, std::get<PicturePtr>(b));
  }
  return a == b;
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
  return std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) { return entry.first == key; });
}

PropertyValue PropertyBag::Read(std::wstring_view name, const PropertyValue& fallback) const {
  const auto found = Find(name);
  return found == entries_.end() ? fallback : found->second;
}

void PropertyBag::Write(std::wstring_view name, const PropertyValue& value, const PropertyValue& fallback) {
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

}  // namespace tavrel
