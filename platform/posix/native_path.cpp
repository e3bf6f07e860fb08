#include "platform/posix/native_path.h"

namespace tavrel {
namespace {

constexpr char32_t kEscapeBase = 0xDC80;

void AppendUtf8(std::string& out, char32_t c) {
  auto put = [&out](char32_t byte) { out.push_back(static_cast<char>(byte)); };
  if (c >= kEscapeBase && c <= kEscapeBase + 0x7F) {
    put(c - kEscapeBase + 0x80);
  } else if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

// Length of a valid UTF-8 sequence at the start of bytes and its code point,
// or 0 when the first byte does not start one.
std::size_t DecodeUtf8(std::string_view bytes, char32_t& c) {
  const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    c = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    minimum = 0x80;
    c = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    minimum = 0x800;
    c = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    minimum = 0x10000;
    c = lead & 0x07u;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i) & 0x3Fu);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::string ToNativeBytes(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t c : text) AppendUtf8(bytes, static_cast<char32_t>(c));
  return bytes;
}

std::wstring FromNativeBytes(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  while (!bytes.empty()) {
    char32_t c = 0;
    std::size_t length = DecodeUtf8(bytes, c);
    if (length == 0) {
      c = kEscapeBase + static_cast<unsigned char>(bytes[0]) - 0x80;
      length = 1;
    }
    text.push_back(static_cast<wchar_t>(c));
    bytes.remove_prefix(length);
  }
  return text;
}

std::string ToNativePath(std::wstring_view path) {
  std::string native = ToNativeBytes(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

}  // namespace tavrel
