#pragma once
// Text files, one record per line: in the ANSI code page, or in UTF-8 or
// UTF-16 when the file starts with that encoding's byte-order mark.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace tavrel {

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// Lines of the file: CR LF, a lone CR or a lone LF ends a line, and the last
// line needs no line end. The byte-order mark (EF BB BF, FF FE or FE FF) picks
// the encoding and is never text; without one the file is ANSI. Nothing when
// the file cannot be read. encoding, when given, receives the file's encoding.
[[nodiscard]] std::optional<std::vector<std::wstring>> ReadAnsiLines(const FileSystem& files, const std::wstring& path,
                                                                     TextEncoding* encoding = nullptr);

// The same lines handed one at a time to visit, in file order. False (and no
// call) when the file cannot be read.
[[nodiscard]] bool ForEachAnsiLine(const FileSystem& files, const std::wstring& path,
                                   const std::function<void(std::wstring_view line)>& visit,
                                   TextEncoding* encoding = nullptr);

// Replaces the file with the lines, each ended by CR LF, in the encoding given
// (after its byte-order mark). Atomic: the lines go to a new temporary file in
// the same folder, "<name>.<16 random hex digits>.tmp", which is flushed and
// then renamed over the old file, so a failure at any step leaves the old file
// whole. A name already taken (a file or link planted there) is never written:
// another random name is tried, a few times.
[[nodiscard]] bool ReplaceAnsiLines(FileSystem& files, const std::wstring& path, const std::vector<std::wstring>& lines,
                                    TextEncoding encoding = TextEncoding::Ansi);

// Bytes to text and back in one encoding (no byte-order mark): UTF-16 code
// units, lone surrogates included. Bytes that are not valid UTF-8, and an odd
// last byte of UTF-16, read as U+FFFD; UTF-8 writes a lone surrogate as U+FFFD.
[[nodiscard]] std::wstring DecodeText(std::string_view bytes, TextEncoding encoding);
[[nodiscard]] std::string EncodeText(std::wstring_view text, TextEncoding encoding);

}  // namespace tavrel
