#include "watchlist/user_line_escape.h"

#include <optional>

#include "platform/text.h"

namespace tavrel {
namespace {

// The characters written as %XX: the line grammar's own and the line ends.
bool TakesTwoDigits(wchar_t c) noexcept {
  return c == L'%' || c == L'\\' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\0' || c == L' ';
}

// Every ANSI code page is a superset of ASCII: only the rest needs the test.
bool AnsiHolds(wchar_t c) {
  if (c >= 0x20 && c < 0x7F) return true;
  const std::wstring_view one(&c, 1);
  return FromAnsi(ToAnsi(one)) == one;
}

// The value of digits hex digits (either case) at text[at], or nothing.
std::optional<unsigned> HexAt(std::wstring_view text, std::size_t at, std::size_t digits) {
  if (at + digits > text.size()) return std::nullopt;
  unsigned value = 0;
  for (std::size_t i = at; i < at + digits; ++i) {
    const wchar_t c = text[i];
    const bool decimal = c >= L'0' && c <= L'9', upper = c >= L'A' && c <= L'F', lower = c >= L'a' && c <= L'f';
    if (!decimal && !upper && !lower) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(decimal ? c - L'0' : (upper ? c - L'A' : c - L'a') + 10);
  }
  return value;
}

}  // namespace

std::wstring EscapeUserName(std::wstring_view name, UserName kind) {
  std::wstring escaped;
  escaped.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const wchar_t c = name[i];
    const bool separator = c == L'\\' && kind == UserName::KeyPath;
    const bool endSpace = c == L' ' && kind == UserName::ValueName && (i == 0 || i + 1 == name.size());
    if (separator || (c == L' ' && !endSpace)) {
      escaped.push_back(c);
    } else if (TakesTwoDigits(c)) {
      escaped += L'%' + Hex(static_cast<unsigned>(c), 2, HexCase::Upper);
    } else if (!AnsiHolds(c)) {
      escaped += L"%u" + Hex(static_cast<unsigned>(c), 4, HexCase::Upper);
    } else {
      escaped.push_back(c);
    }
  }
  return escaped;
}

std::wstring UnescapeUserName(std::wstring_view text) {
  std::wstring name;
  name.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'%') {
      const std::optional<unsigned> unit = text.substr(i + 1, 1) == L"u" ? HexAt(text, i + 2, 4) : std::nullopt;
      const std::optional<unsigned> two = HexAt(text, i + 1, 2);
      if (unit) {
        name.push_back(static_cast<wchar_t>(*unit));
        i += 5;
        continue;
      }
      if (two && TakesTwoDigits(static_cast<wchar_t>(*two))) {
        name.push_back(static_cast<wchar_t>(*two));
        i += 2;
        continue;
      }
    }
    name.push_back(text[i]);
  }
  return name;
}

}  // namespace tavrel
