#include "report/json.h"

#include <cstdint>

namespace tavrel {
namespace {

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendEscape(std::string& out, std::uint32_t unit) {
  constexpr char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[unit >> shift & 0xF];
}

bool IsHigh(std::uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(std::uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string JsonString(std::wstring_view text) {
  std::string out = "\"";
  out.reserve(text.size() + 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = static_cast<std::uint32_t>(text[i]);
    if (IsHigh(c) && i + 1 < text.size() && IsLow(static_cast<std::uint32_t>(text[i + 1]))) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<std::uint32_t>(text[++i]) - 0xDC00);
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || IsHigh(c) || IsLow(c)) {
          AppendEscape(out, c);
        } else if (c > 0x10FFFF) {
          AppendEscape(out, 0xFFFD);  // no character at all (a wide character past Unicode)
        } else {
          AppendUtf8(out, c);
        }
    }
  }
  out += '"';
  return out;
}

JsonObject& JsonObject::Raw(std::string_view name, std::string_view json) {
  if (!body_.empty()) body_ += ',';
  body_ += '"';
  body_ += name;
  body_ += "\":";
  body_ += json;
  return *this;
}

JsonObject& JsonObject::Members(const JsonObject& other) {
  if (!body_.empty() && !other.body_.empty()) body_ += ',';
  body_ += other.body_;
  return *this;
}

JsonObject& JsonObject::Text(std::string_view name, std::wstring_view value) { return Raw(name, JsonString(value)); }

JsonObject& JsonObject::Ascii(std::string_view name, std::string_view value) {
  std::string quoted(1, '"');
  quoted.append(value).push_back('"');
  return Raw(name, quoted);
}

JsonObject& JsonObject::Number(std::string_view name, long long value) { return Raw(name, std::to_string(value)); }

JsonObject& JsonObject::Bool(std::string_view name, bool value) { return Raw(name, value ? "true" : "false"); }

std::string JsonArray(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i == 0 ? "" : ",") + items[i];
  out += ']';
  return out;
}

}  // namespace tavrel
