#include "watchlist/user_watch_list.h"

#include <optional>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "watchlist/user_line_escape.h"
#include "watchlist/watch_line.h"
#include "watchlist/watch_list.h"

namespace tavrel {
namespace {

// The file's lines, trimmed, with comments and blank lines in place. Nothing
// when the file exists but cannot be read (locked, no access): the caller
// must not rewrite it then, or every line it holds would be lost. The read
// comes first and decides: a file is taken for missing (no lines) only when
// it can neither be read nor be found, so that one failed existence test
// never turns a whole file into an empty one. encoding receives the file's
// encoding, for the rewrite to keep (a new file is ANSI).
std::optional<std::vector<std::wstring>> ReadKeptLines(const FileSystem& files, const std::wstring& path,
                                                       TextEncoding& encoding) {
  encoding = TextEncoding::Ansi;
  std::optional<std::vector<std::wstring>> lines = ReadAnsiLines(files, path, &encoding);
  if (!lines) {
    if (FileExists(files, path)) return std::nullopt;
    return std::vector<std::wstring>{};
  }
  for (auto& line : *lines) line = std::wstring(TrimSpaces(line));
  return lines;
}

// True when a data line names keyPath\valueName under any root, case ignored,
// its names decoded. Everything after the first TAB is one path, a second TAB
// included. A line without a TAB, or without a key between root and value
// name, names nothing and is written back as it is.
bool NamesValue(std::wstring_view line, const std::wstring& keyPath, const std::wstring& valueName) {
  if (!IsDataLine(line)) return false;
  const std::size_t tab = line.find(L'\t');
  if (tab == std::wstring_view::npos) return false;
  const std::vector<std::wstring> parts = Split(line.substr(tab + 1), L'\\');
  if (parts.size() < 3) return false;
  return EqualsNoCase(UnescapeUserName(parts.back()), valueName) &&
         EqualsNoCase(UnescapeUserName(JoinComponents(parts, 1, parts.size() - 1)), keyPath);
}

}  // namespace

UserWatchListWriter::UserWatchListWriter(FileSystem& files, const Clock& clock, std::wstring programFolder)
    : files_(files), clock_(clock), path_(std::move(programFolder) + kUserWatchListFileName) {}

// The file is replaced in one step, so a failed write (full disk, read-only
// file) leaves it as it was; only the append tells its caller.
bool UserWatchListWriter::AppendUserWatchEntry(RootHandle root, const std::wstring& keyPath,
                                               const std::wstring& valueName) {
  TextEncoding encoding{};
  std::optional<std::vector<std::wstring>> lines = ReadKeptLines(files_, path_, encoding);
  if (!lines) return false;
  lines->push_back(EntryStamp(clock_) + L'\t' + RootName(root) + L'\\' + EscapeUserName(keyPath, UserName::KeyPath) +
                   L'\\' + EscapeUserName(valueName, UserName::ValueName));
  return ReplaceAnsiLines(files_, path_, *lines, encoding);
}

void UserWatchListWriter::RemoveUserWatchEntry(const std::wstring& keyPath, const std::wstring& valueName) {
  if (!FileExists(files_, path_)) return;  // nothing to remove, and no file is made
  TextEncoding encoding{};
  std::optional<std::vector<std::wstring>> lines = ReadKeptLines(files_, path_, encoding);
  if (!lines) return;
  std::erase_if(*lines, [&](const std::wstring& line) { return NamesValue(line, keyPath, valueName); });
  static_cast<void>(ReplaceAnsiLines(files_, path_, *lines, encoding));
}

}  // namespace tavrel
