#include "platform/text.h"

#include <algorithm>

namespace tavrel {
namespace {

// Windows compares registry names by upper-casing both sides. Folding to lower
// case gives the same classes only if every letter whose upper case is U folds
// to one representative, so FoldCase first upper-cases (Unicode simple mapping,
// as the system's table does for these blocks) and then lower-cases that
// upper-case letter back to its canonical small form. Thus ı, ſ, µ and ς meet
// I, S, Μ and Σ, while İ (whose lower case i upper-cases to I) stays alone.
wchar_t UpperCase(wchar_t c) noexcept {
  const auto u = static_cast<unsigned>(c);
  auto shifted = [&](int delta) { return static_cast<wchar_t>(static_cast<int>(u) + delta); };
  if (u < 0x80) return (u >= 'a' && u <= 'z') ? shifted(-0x20) : c;
  if (u < 0x100) {
    if (u == 0xB5) return L'\x039C';  // micro sign -> Greek capital mu
    if (u == 0xFF) return L'\x0178';
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return shifted(-0x20);
    return c;
  }
  if (u < 0x180) {
    if (u == 0x131) return L'I';  // dotless i
    if (u == 0x17F) return L'S';  // long s
    if (u == 0x130 || u == 0x138 || u == 0x149 || u == 0x178) return c;
    // Pairs are (upper even, lower odd) except in 0139-0148 and 0179-017E.
    const bool oddUpper = (u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E);
    const bool isLower = oddUpper ? (u % 2 == 0) : (u % 2 == 1);
    return isLower ? shifted(-1) : c;
  }
  if (u >= 0x370 && u < 0x400) {
    switch (u) {
      case 0x3AC:
        return L'\x0386';
      case 0x3AD:
        return L'\x0388';
      case 0x3AE:
        return L'\x0389';
      case 0x3AF:
        return L'\x038A';
      case 0x3CC:
        return L'\x038C';
      case 0x3CD:
        return L'\x038E';
      case 0x3CE:
        return L'\x038F';
      case 0x3C2:
        return L'\x03A3';  // final sigma
      case 0x3D0:
        return L'\x0392';
      case 0x3D1:
        return L'\x0398';
      case 0x3D5:
        return L'\x03A6';
      case 0x3D6:
        return L'\x03A0';
      case 0x3F0:
        return L'\x039A';
      case 0x3F1:
        return L'\x03A1';
      case 0x3F5:
        return L'\x0395';
      default:
        break;
    }
    if (u >= 0x3B1 && u <= 0x3CB) return shifted(-0x20);
    if (u >= 0x3D8 && u <= 0x3EF && u % 2 == 1) return shifted(-1);
    return c;
  }
  if (u >= 0x400 && u < 0x530) {
    if (u >= 0x430 && u <= 0x44F) return shifted(-0x20);
    if (u >= 0x450 && u <= 0x45F) return shifted(-0x50);
    // Paired blocks: upper even, lower odd (04C1-04CE is the other way round).
    if ((u >= 0x460 && u <= 0x481) || (u >= 0x48A && u <= 0x4BF) || (u >= 0x4D0 && u <= 0x52F)) {
      return u % 2 == 1 ? shifted(-1) : c;
    }
    if (u >= 0x4C1 && u <= 0x4CE) return u % 2 == 0 ? shifted(-1) : c;
    if (u == 0x4CF) return L'\x04C0';
    return c;
  }
  return c;
}

// The small letter whose upper case is c, for the capitals UpperCase produces;
// other characters are their own representative.
wchar_t LowerOfCapital(wchar_t c) noexcept {
  const auto u = static_cast<unsigned>(c);
  auto shifted = [&](int delta) { return static_cast<wchar_t>(static_cast<int>(u) + delta); };
  if (u < 0x80) return (u >= 'A' && u <= 'Z') ? shifted(0x20) : c;
  if (u < 0x100) return (u >= 0xC0 && u <= 0xDE && u != 0xD7) ? shifted(0x20) : c;
  if (u < 0x180) {
    if (u == 0x178) return L'\x00FF';
    if (u == 0x130 || u == 0x138 || u == 0x149 || u == 0x17F) return c;
    const bool oddUpper = (u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E);
    const bool isUpper = oddUpper ? (u % 2 == 1) : (u % 2 == 0);
    return isUpper ? shifted(1) : c;
  }
  if (u >= 0x370 && u < 0x400) {
    switch (u) {
      case 0x386:
        return L'\x03AC';
      case 0x388:
        return L'\x03AD';
      case 0x389:
        return L'\x03AE';
      case 0x38A:
        return L'\x03AF';
      case 0x38C:
        return L'\x03CC';
      case 0x38E:
        return L'\x03CD';
      case 0x38F:
        return L'\x03CE';
      default:
        break;
    }
    if (u >= 0x391 && u <= 0x3AB && u != 0x3A2) return shifted(0x20);
    if (u >= 0x3D8 && u <= 0x3EF && u % 2 == 0) return shifted(1);
    return c;
  }
  if (u >= 0x400 && u < 0x530) {
    if (u >= 0x410 && u <= 0x42F) return shifted(0x20);
    if (u >= 0x400 && u <= 0x40F) return shifted(0x50);
    if ((u >= 0x460 && u <= 0x481) || (u >= 0x48A && u <= 0x4BF) || (u >= 0x4D0 && u <= 0x52F)) {
      return u % 2 == 0 ? shifted(1) : c;
    }
    if (u >= 0x4C1 && u <= 0x4CE) return u % 2 == 1 ? shifted(1) : c;
    if (u == 0x4C0) return L'\x04CF';
    return c;
  }
  return c;
}

}  // namespace

wchar_t FoldCase(wchar_t c) noexcept { return LowerOfCapital(UpperCase(c)); }

std::wstring ToLower(std::wstring_view text) {
  std::wstring folded(text);
  for (auto& c : folded) c = FoldCase(c);
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

}  // namespace tavrel
