// The ANSI code page of the native build: Windows-1252, as Windows itself
// converts it (MultiByteToWideChar / WideCharToMultiByte without best fit).
#include <array>

#include "platform/text.h"

namespace tavrel {
namespace {

// Bytes 0x80-0x9F. The five bytes 1252 leaves undefined (81 8D 8F 90 9D) map
// to the C1 control with the same number, as Windows maps them, so they
// round-trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

wchar_t FromByte(unsigned char b) noexcept {
  if (b >= 0x80 && b <= 0x9F) return static_cast<wchar_t>(kHighControls[b - 0x80u]);
  return static_cast<wchar_t>(b);
}

char ToByte(wchar_t c) noexcept {
  const auto u = static_cast<unsigned long>(c);
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (unsigned i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == u) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::string ToAnsi(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t c : text) bytes.push_back(ToByte(c));
  return bytes;
}

std::wstring FromAnsi(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char b : bytes) text.push_back(FromByte(static_cast<unsigned char>(b)));
  return text;
}

}  // namespace tavrel
