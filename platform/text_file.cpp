#include "platform/text_file.h"

#include "platform/text.h"

namespace tavrel {

bool ForEachAnsiLine(const FileSystem& files, const std::wstring& path,
                     const std::function<void(std::wstring_view line)>& visit) {
  const std::optional<std::string> bytes = files.ReadAll(path);
  if (!bytes) return false;
  const std::string_view rest(*bytes);
  // A lone LF ends a line too: files saved by editors and tools that write
  // Unix line ends would otherwise read as one long line, whose first field
  // swallows every later record and silently turns them into one bogus entry.
  std::size_t start = 0;
  while (start < rest.size()) {
    const std::size_t end = rest.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      visit(FromAnsi(rest.substr(start)));
      break;
    }
    visit(FromAnsi(rest.substr(start, end - start)));
    start = end + 1;
    if (rest[end] == '\r' && start < rest.size() && rest[start] == '\n') ++start;
  }
  return true;
}

std::optional<std::vector<std::wstring>> ReadAnsiLines(const FileSystem& files, const std::wstring& path) {
  std::vector<std::wstring> lines;
  if (!ForEachAnsiLine(files, path, [&lines](std::wstring_view line) { lines.emplace_back(line); })) {
    return std::nullopt;
  }
  return lines;
}

std::wstring ReplacementPath(const std::wstring& path) { return path + L".tmp"; }

bool ReplaceAnsiLines(FileSystem& files, const std::wstring& path, const std::vector<std::wstring>& lines) {
  std::string bytes;
  for (const auto& line : lines) {
    bytes += ToAnsi(line);
    bytes += "\r\n";
  }
  const std::wstring temporary = ReplacementPath(path);
  if (files.WriteAndFlush(temporary, bytes) && files.ReplaceWith(temporary, path)) return true;
  // The old file was never touched; only the half-made copy goes.
  files.Remove(temporary);
  return false;
}

}  // namespace tavrel
