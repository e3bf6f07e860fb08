#include "gradient_button/form_description.h"

#include <charconv>
#include <cstdio>
#include <memory>

namespace tavrel {
namespace {

constexpr std::size_t kMaxDepth = 32;
constexpr int kMaxPictureSide = 4096;

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; }

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Reads one value's text from left to right.
class Cursor {
 public:
  explicit Cursor(std::wstring_view text) : text_(text) {}

  void SkipSpaces() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
  }
  [[nodiscard]] bool AtEnd() {
    SkipSpaces();
    return pos_ == text_.size();
  }
  [[nodiscard]] bool Take(wchar_t c) {
    SkipSpaces();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  // Letters, digits and the characters of numbers.
  [[nodiscard]] std::wstring_view Word() {
    SkipSpaces();
    const std::size_t start = pos_;
    while (pos_ < text_.size()) {
      const wchar_t c = text_[pos_];
      const bool word_char = (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') ||
                             (c >= L'A' && c <= L'Z') || c == L'.' || c == L'-' ||
                             c == L'+' || c == L'&' || c == L'_';
      if (!word_char) break;
      ++pos_;
    }
    return text_.substr(start, pos_ - start);
  }
  [[nodiscard]] std::optional<std::wstring> Quoted() {
    if (!Take(L'"')) return std::nullopt;
    std::wstring out;
    while (pos_ < text_.size()) {
      const wchar_t c = text_[pos_++];
      if (c == L'"') return out;
      if (c != L'\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) return std::nullopt;
      const wchar_t escape = text_[pos_++];
      switch (escape) {
        case L'\\': out += L'\\'; break;
        case L'"': out += L'"'; break;
        case L'n': out += L'\n'; break;
        case L'r': out += L'\r'; break;
        case L't': out += L'\t'; break;
        case L'u':
        case L'U': {
          const std::size_t digits = escape == L'u' ? 4 : 8;
          if (text_.size() - pos_ < digits) return std::nullopt;
          std::uint32_t code = 0;
          for (std::size_t i = 0; i < digits; ++i) {
            const int digit = HexDigit(text_[pos_++]);
            if (digit < 0) return std::nullopt;
            code = code * 16 + static_cast<std::uint32_t>(digit);
          }
          if (!AppendCodePoint(code, out)) return std::nullopt;
          break;
        }
        default:
          return std::nullopt;
      }
    }
    return std::nullopt;  // no closing quote
  }

 private:
  static bool AppendCodePoint(std::uint32_t code, std::wstring& out) {
    if (code > 0x10FFFF) return false;
    if constexpr (sizeof(wchar_t) == 2) {
      if (code > 0xFFFF) {
        code -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (code >> 10));
        out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        return true;
      }
    }
    out += static_cast<wchar_t>(code);
    return true;
  }

  std::wstring_view text_;
  std::size_t pos_ = 0;
};

std::string Ascii(std::wstring_view text) {
  std::string out;
  for (wchar_t c : text) {
    if (c <= 0 || c >= 0x80) return {};
    out += static_cast<char>(c);
  }
  return out;
}

std::optional<double> ParsePoints(std::wstring_view word) {
  const std::string ascii = Ascii(word);
  double points = 0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), points);
  if (ascii.empty() || error != std::errc() || end != ascii.data() + ascii.size()) {
    return std::nullopt;
  }
  // Sizes a font can have; this also keeps NaN and infinities out.
  if (!(points > 0 && points <= 2048)) return std::nullopt;
  return points;
}

std::optional<PropertyValue> ParseFont(Cursor& cursor) {
  SurfaceFont font;
  auto name = cursor.Quoted();
  if (!name || !cursor.Take(L',')) return std::nullopt;
  font.name = std::move(*name);
  const auto points = ParsePoints(cursor.Word());
  if (!points) return std::nullopt;
  font.points = *points;
  while (cursor.Take(L',')) {
    const std::wstring flag = LowerAsciiName(cursor.Word());
    if (flag == L"bold") {
      font.bold = true;
    } else if (flag == L"italic") {
      font.italic = true;
    } else if (flag == L"underline") {
      font.underline = true;
    } else if (flag == L"strikethrough") {
      font.strikethrough = true;
    } else {
      return std::nullopt;
    }
  }
  if (!cursor.Take(L')')) return std::nullopt;
  return font;
}

std::optional<PropertyValue> ParsePicture(Cursor& cursor) {
  std::int32_t width = 0;
  std::int32_t height = 0;
  if (!ParseInt32(cursor.Word(), width) || !cursor.Take(L',')) return std::nullopt;
  if (!ParseInt32(cursor.Word(), height) || !cursor.Take(L',')) return std::nullopt;
  if (width < 0 || height < 0 || width > kMaxPictureSide || height > kMaxPictureSide) {
    return std::nullopt;
  }
  const auto hex = cursor.Quoted();
  if (!hex || !cursor.Take(L')')) return std::nullopt;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (hex->size() != count * 6) return std::nullopt;
  auto picture = std::make_shared<Picture>();
  picture->width = width;
  picture->height = height;
  picture->pixels.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t pixel = 0;
    for (std::size_t j = 0; j < 6; ++j) {
      const int digit = HexDigit((*hex)[i * 6 + j]);
      if (digit < 0) return std::nullopt;
      pixel = pixel * 16 + static_cast<std::uint32_t>(digit);
    }
    picture->pixels.push_back(pixel);
  }
  return PicturePtr(std::move(picture));
}

std::wstring Quote(const std::wstring& text) {
  std::wstring out = L"\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    switch (c) {
      case L'\\': out += L"\\\\"; continue;
      case L'"': out += L"\\\""; continue;
      case L'\n': out += L"\\n"; continue;
      case L'\r': out += L"\\r"; continue;
      case L'\t': out += L"\\t"; continue;
      default: break;
    }
    if (c >= 0x20 && c < 0x7F) {
      out += c;
      continue;
    }
    // Everything else as its code unit(s), so the text stays plain ASCII.
    const auto code = static_cast<std::uint32_t>(c);
    wchar_t buffer[16];
    if (code > 0xFFFF) {
      std::swprintf(buffer, 16, L"\\U%08X", code);
    } else {
      std::swprintf(buffer, 16, L"\\u%04X", code);
    }
    out += buffer;
  }
  return out + L"\"";
}

std::wstring FormatPoints(double points) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, points);
  return std::wstring(buffer, result.ptr);
}

void WriteBlock(const FormDescription& form, const std::wstring& indent, std::wstring& out) {
  out += indent + L"begin " + form.type + L" " + form.name + L"\n";
  const std::wstring inner = indent + L"  ";
  for (const auto& [name, value] : form.properties.Entries()) {
    out += inner + name + L" = " + FormatPropertyValue(value) + L"\n";
  }
  for (const FormDescription& child : form.children) WriteBlock(child, inner, out);
  out += indent + L"end\n";
}

bool IsName(std::wstring_view word) {
  if (word.empty()) return false;
  for (wchar_t c : word) {
    const bool ok = (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') ||
                    (c >= L'A' && c <= L'Z') || c == L'_' || c == L'.';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

const FormDescription* FormDescription::Child(std::wstring_view child_name) const {
  const std::wstring wanted = LowerAsciiName(child_name);
  for (const FormDescription& child : children) {
    if (LowerAsciiName(child.name) == wanted) return &child;
  }
  return nullptr;
}

std::wstring FormatPropertyValue(const PropertyValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_wstring(*number);
  if (const auto* text = std::get_if<std::wstring>(&value)) return Quote(*text);
  if (const auto* font = std::get_if<SurfaceFont>(&value)) {
    std::wstring out = L"font(" + Quote(font->name) + L", " + FormatPoints(font->points);
    if (font->bold) out += L", bold";
    if (font->italic) out += L", italic";
    if (font->underline) out += L", underline";
    if (font->strikethrough) out += L", strikethrough";
    return out + L")";
  }
  const PicturePtr& picture = std::get<PicturePtr>(value);
  if (!picture || !picture->IsWellFormed()) return L"nothing";
  std::wstring hex;
  hex.reserve(picture->pixels.size() * 6);
  for (std::uint32_t pixel : picture->pixels) {
    wchar_t buffer[8];
    std::swprintf(buffer, 8, L"%06X", pixel & 0xFFFFFFu);
    hex += buffer;
  }
  return L"picture(" + std::to_wstring(picture->width) + L", " +
         std::to_wstring(picture->height) + L", \"" + hex + L"\")";
}

std::optional<PropertyValue> ParsePropertyValue(std::wstring_view text) {
  Cursor cursor(Trim(text));
  std::optional<PropertyValue> value;
  if (cursor.AtEnd()) return std::nullopt;
  if (auto quoted = cursor.Quoted()) {
    value = std::move(*quoted);
  } else {
    const std::wstring word = LowerAsciiName(cursor.Word());
    std::int32_t number = 0;
    if (word == L"nothing") {
      value = PicturePtr{};
    } else if (word == L"font" && cursor.Take(L'(')) {
      value = ParseFont(cursor);
    } else if (word == L"picture" && cursor.Take(L'(')) {
      value = ParsePicture(cursor);
    } else if (ParseInt32(word, number)) {
      value = number;
    }
  }
  if (!value || !cursor.AtEnd()) return std::nullopt;
  return value;
}

FormParseResult ParseFormDescription(std::wstring_view text) {
  FormParseResult result;
  std::vector<FormDescription> open;  // the blocks not yet ended, outermost first
  std::optional<FormDescription> root;
  int line_number = 0;
  auto fail = [&](std::wstring message) {
    result.form.reset();
    result.error_line = line_number;
    result.error = std::move(message);
    return result;
  };

  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(L'\n', start), text.size());
    const std::wstring_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    ++line_number;
    if (line.empty() || line.front() == L'#') continue;

    const std::size_t space = line.find_first_of(L" \t");
    const std::wstring keyword = LowerAsciiName(line.substr(0, space));
    if (keyword == L"begin") {
      const std::wstring_view rest =
          space == std::wstring_view::npos ? std::wstring_view() : Trim(line.substr(space));
      const std::size_t gap = rest.find_first_of(L" \t");
      if (gap == std::wstring_view::npos) return fail(L"a block needs a type and a name");
      const std::wstring_view type = rest.substr(0, gap);
      const std::wstring_view name = Trim(rest.substr(gap));
      if (!IsName(type) || !IsName(name)) return fail(L"a block needs a type and a name");
      if (root) return fail(L"text after the end of the form");
      if (open.size() >= kMaxDepth) return fail(L"blocks nested too deeply");
      FormDescription block;
      block.type = std::wstring(type);
      block.name = std::wstring(name);
      open.push_back(std::move(block));
      continue;
    }
    if (keyword == L"end" && space == std::wstring_view::npos) {
      if (open.empty()) return fail(L"end without begin");
      FormDescription finished = std::move(open.back());
      open.pop_back();
      if (open.empty()) {
        root = std::move(finished);
      } else {
        open.back().children.push_back(std::move(finished));
      }
      continue;
    }
    const std::size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) return fail(L"expected name = value");
    if (open.empty()) return fail(L"a property outside any block");
    const std::wstring_view name = Trim(line.substr(0, equals));
    if (!IsName(name)) return fail(L"a property needs a name");
    auto value = ParsePropertyValue(line.substr(equals + 1));
    if (!value) return fail(L"a value that cannot be read");
    open.back().properties.Set(name, *value);
  }
  if (!open.empty()) return fail(L"a block without end");
  if (!root) return fail(L"no form");
  result.form = std::move(root);
  return result;
}

std::wstring WriteFormDescription(const FormDescription& form) {
  std::wstring out;
  WriteBlock(form, L"", out);
  return out;
}

}  // namespace tavrel
