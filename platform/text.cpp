#include "platform/text.h"

#include <algorithm>

namespace tavrel {

// FoldCase itself is the registry's upcase (win32/case_fold.cpp, posix/case_fold.cpp).
// Folding never turns anything into an ASCII small letter, so writing those
// folded letters small again keeps names apart exactly when FoldCase does.
std::wstring ToLower(std::wstring_view text) {
  std::wstring folded(text);
  for (auto& c : folded) {
    c = FoldCase(c);
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
  }
  return folded;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) noexcept {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

std::vector<std::wstring> Split(std::wstring_view text, wchar_t separator) {
  std::vector<std::wstring> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    if (end == std::wstring_view::npos) {
      fields.emplace_back(text.substr(start));
      return fields;
    }
    fields.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::wstring Join(const std::vector<std::wstring>& fields, std::wstring_view separator) {
  std::wstring joined;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i != 0) joined += separator;
    joined += fields[i];
  }
  return joined;
}

std::wstring_view TrimSpaces(std::wstring_view text) noexcept {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const std::size_t last = text.find_last_not_of(L' ');
  return text.substr(first, last - first + 1);
}

std::wstring Hex(std::uint64_t value, std::size_t digits, HexCase letters) {
  const wchar_t* const symbols = letters == HexCase::Upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
  std::wstring text(digits, L'0');
  for (std::size_t i = digits; i-- > 0; value >>= 4) text[i] = symbols[value & 15];
  return text;
}

}  // namespace tavrel
