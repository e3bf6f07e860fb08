#pragma once
// Text files in the ANSI code page, one record per line.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace tavrel {

// Lines of the file: CR LF, a lone CR or a lone LF ends a line, and the last
// line needs no line end. Nothing when the file cannot be read.
[[nodiscard]] std::optional<std::vector<std::wstring>> ReadAnsiLines(const FileSystem& files, const std::wstring& path);

// The same lines handed one at a time to visit, in file order, so that a
// reader that keeps only some of them never holds them all. False (and no
// call) when the file cannot be read.
[[nodiscard]] bool ForEachAnsiLine(const FileSystem& files, const std::wstring& path,
                                   const std::function<void(std::wstring_view line)>& visit);

// Replaces the file with the lines, each ended by CR LF. Atomic: the lines go
// to a temporary file in the same folder, which is flushed and then renamed
// over the old file, so a failure at any step leaves the old file whole.
[[nodiscard]] bool ReplaceAnsiLines(FileSystem& files, const std::wstring& path,
                                    const std::vector<std::wstring>& lines);

// The temporary file ReplaceAnsiLines writes beside path.
[[nodiscard]] std::wstring ReplacementPath(const std::wstring& path);

}  // namespace tavrel
