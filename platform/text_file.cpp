#include "platform/text_file.h"

#include <array>
#include <cstdint>

#include "platform/text.h"

namespace tavrel {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;
constexpr int kTemporaryNameTries = 4;

struct ByteOrderMark {
  TextEncoding encoding;
  std::string_view bytes;
};
constexpr std::array<ByteOrderMark, 3> kByteOrderMarks = {{
    {TextEncoding::Utf8, "\xEF\xBB\xBF"},
    {TextEncoding::Utf16Le, "\xFF\xFE"},
    {TextEncoding::Utf16Be, "\xFE\xFF"},
}};

std::string_view MarkOf(TextEncoding encoding) {
  for (const auto& mark : kByteOrderMarks) {
    if (mark.encoding == encoding) return mark.bytes;
  }
  return {};
}

// Wide text holds UTF-16 code units on both builds, so a code point past
// U+FFFF is kept as its surrogate pair.
void AppendCodePoint(std::wstring& text, std::uint32_t c) {
  if (c < 0x10000) {
    text.push_back(static_cast<wchar_t>(c));
    return;
  }
  c -= 0x10000;
  text.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
  text.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
}

// A broken sequence (a stray continuation byte, a lead byte without its
// continuation, an overlong form, an encoded surrogate, anything past U+10FFFF)
// reads as one U+FFFD (the replacement character) for the bytes it took up to
// the break: the line keeps its place and its other characters, a broken name
// is shown as broken, and nothing is read as a line end or separator.
std::wstring FromUtf8(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    if (lead < 0x80) {
      text.push_back(static_cast<wchar_t>(lead));
      continue;
    }
    // How many continuation bytes follow, and the range the first of them must
    // fall in (the rest are 80..BF).
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;
    std::uint32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 1, c = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 2, c = lead & 0x0Fu, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 3, c = lead & 0x07u, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    std::size_t taken = 0;
    for (; taken < length && i < bytes.size(); ++taken, ++i) {
      const auto next = static_cast<unsigned char>(bytes[i]);
      if (next < low || next > high) break;
      c = (c << 6) | (next & 0x3Fu);
      low = 0x80, high = 0xBF;
    }
    AppendCodePoint(text, length != 0 && taken == length ? c : kReplacement);
  }
  return text;
}

// Code points of the text: surrogate pairs joined, a lone surrogate (or, on
// the native build, a value past U+10FFFF) as U+FFFD.
template <typename Emit>
void ForEachCodePoint(std::wstring_view text, Emit emit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = static_cast<std::uint32_t>(text[i]);
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const std::uint32_t next = i + 1 < text.size() ? static_cast<std::uint32_t>(text[i + 1]) : 0;
    if (high && next >= 0xDC00 && next <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
      ++i;
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      c = kReplacement;
    }
    emit(c);
  }
}

std::string ToUtf8(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  ForEachCodePoint(text, [&bytes](std::uint32_t c) {
    const auto put = [&bytes](std::uint32_t b) { bytes.push_back(static_cast<char>(b)); };
    if (c < 0x80) {
      put(c);
    } else if (c < 0x800) {
      put(0xC0 | (c >> 6)), put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      put(0xE0 | (c >> 12)), put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
    } else {
      put(0xF0 | (c >> 18)), put(0x80 | ((c >> 12) & 0x3F)), put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
    }
  });
  return bytes;
}

// UTF-16 keeps every code unit, a lone surrogate included: a registry name may
// hold one, and the file then carries it unchanged.
std::wstring FromUtf16(std::string_view bytes, bool bigEndian) {
  std::wstring text;
  text.reserve(bytes.size() / 2 + 1);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  if (bytes.size() % 2 != 0) text.push_back(kReplacement);  // half a code unit
  return text;
}

std::string ToUtf16(std::wstring_view text, bool bigEndian) {
  std::wstring units;  // only differs on the native build, where wchar_t may exceed U+FFFF
  for (const wchar_t c : text) {
    const auto u = static_cast<std::uint32_t>(c);
    AppendCodePoint(units, u > 0x10FFFF ? kReplacement : u);
  }
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (const wchar_t unit : units) {
    const auto u = static_cast<std::uint32_t>(unit);
    const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
    bytes.push_back(bigEndian ? high : low);
    bytes.push_back(bigEndian ? low : high);
  }
  return bytes;
}

std::wstring TemporaryPath(const std::wstring& path, std::uint64_t bits) {
  return path + L'.' + Hex(bits, 16) + L".tmp";
}

}  // namespace

std::wstring DecodeText(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return FromUtf8(bytes);
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      return FromUtf16(bytes, encoding == TextEncoding::Utf16Be);
    case TextEncoding::Ansi:
      break;
  }
  return FromAnsi(bytes);
}

std::string EncodeText(std::wstring_view text, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return ToUtf8(text);
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      return ToUtf16(text, encoding == TextEncoding::Utf16Be);
    case TextEncoding::Ansi:
      break;
  }
  return ToAnsi(text);
}

bool ForEachAnsiLine(const FileSystem& files, const std::wstring& path,
                     const std::function<void(std::wstring_view line)>& visit, TextEncoding* encoding) {
  const std::optional<std::string> bytes = files.ReadAll(path);
  if (!bytes) return false;
  std::string_view content(*bytes);
  TextEncoding found = TextEncoding::Ansi;
  for (const auto& mark : kByteOrderMarks) {
    if (content.starts_with(mark.bytes)) {
      found = mark.encoding;
      content.remove_prefix(mark.bytes.size());
      break;
    }
  }
  if (encoding) *encoding = found;
  const std::wstring text = DecodeText(content, found);
  const std::wstring_view rest(text);
  // A lone LF ends a line too: files saved by editors and tools that write
  // Unix line ends would otherwise read as one long line, whose first field
  // swallows every later record and silently turns them into one bogus entry.
  std::size_t start = 0;
  while (start < rest.size()) {
    const std::size_t end = rest.find_first_of(L"\r\n", start);
    if (end == std::wstring_view::npos) {
      visit(rest.substr(start));
      break;
    }
    visit(rest.substr(start, end - start));
    start = end + 1;
    if (rest[end] == L'\r' && start < rest.size() && rest[start] == L'\n') ++start;
  }
  return true;
}

std::optional<std::vector<std::wstring>> ReadAnsiLines(const FileSystem& files, const std::wstring& path,
                                                       TextEncoding* encoding) {
  std::vector<std::wstring> lines;
  if (!ForEachAnsiLine(
          files, path, [&lines](std::wstring_view line) { lines.emplace_back(line); }, encoding)) {
    return std::nullopt;
  }
  return lines;
}

bool ReplaceAnsiLines(FileSystem& files, const std::wstring& path, const std::vector<std::wstring>& lines,
                      TextEncoding encoding) {
  std::string bytes(MarkOf(encoding));
  for (const auto& line : lines) bytes += EncodeText(line + L"\r\n", encoding);
  for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
    const std::optional<std::uint64_t> bits = files.RandomBits();
    if (!bits) return false;  // a name anyone could guess is not worth trying
    const std::wstring temporary = TemporaryPath(path, *bits);
    // Taken (planted, or a link) or not written: the file system made nothing
    // there, or removed what it made, so only another name is worth a try.
    if (!files.WriteNew(temporary, bytes)) continue;
    if (files.ReplaceWith(temporary, path)) return true;
    // The old file was never touched; only our own half-made copy goes.
    files.Remove(temporary);
    return false;
  }
  return false;
}

}  // namespace tavrel
