#include "registry/utf16.h"

#include <cstdint>

namespace tavrel {
namespace {

constexpr bool kWideIs16Bit = sizeof(wchar_t) == 2;

void PushUnit(std::vector<std::byte>& out, std::uint32_t unit) {
  out.push_back(static_cast<std::byte>(unit & 0xFFu));
  out.push_back(static_cast<std::byte>((unit >> 8) & 0xFFu));
}

}  // namespace

std::vector<std::byte> EncodeUtf16Le(std::wstring_view text) {
  std::vector<std::byte> out;
  out.reserve(text.size() * 2);
  for (const wchar_t c : text) {
    const auto code = static_cast<std::uint32_t>(c);
    if (!kWideIs16Bit && code >= 0x10000u && code <= 0x10FFFFu) {
      const std::uint32_t v = code - 0x10000u;
      PushUnit(out, 0xD800u + (v >> 10));
      PushUnit(out, 0xDC00u + (v & 0x3FFu));
    } else {
      // Out-of-range values cannot come from UTF-16; keep their low unit.
      PushUnit(out, code & 0xFFFFu);
    }
  }
  return out;
}

std::wstring DecodeUtf16Le(std::span<const std::byte> bytes) {
  const std::size_t units = bytes.size() / 2;
  auto unitAt = [&](std::size_t i) {
    return static_cast<std::uint32_t>(bytes[2 * i]) | (static_cast<std::uint32_t>(bytes[2 * i + 1]) << 8);
  };
  std::wstring text;
  text.reserve(units);
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint32_t unit = unitAt(i);
    if (!kWideIs16Bit && unit >= 0xD800u && unit <= 0xDBFFu && i + 1 < units) {
      const std::uint32_t low = unitAt(i + 1);
      if (low >= 0xDC00u && low <= 0xDFFFu) {
        text.push_back(static_cast<wchar_t>(0x10000u + ((unit - 0xD800u) << 10) + (low - 0xDC00u)));
        ++i;
        continue;
      }
    }
    text.push_back(static_cast<wchar_t>(unit));
  }
  return text;
}

}  // namespace tavrel
