#include "watchlist/watch_list.h"

#include <array>
#include <utility>

#include "platform/text.h"
#include "platform/text_file.h"
#include "watchlist/user_line_escape.h"
#include "watchlist/watch_line.h"

namespace tavrel {
namespace {

struct RootNameEntry {
  RootHandle root;
  const wchar_t* name;
};

constexpr std::array<RootNameEntry, 7> kRootNames = {{
    {kCurrentUser, L"HKEY_CURRENT_USER"},
    {kLocalMachine, L"HKEY_LOCAL_MACHINE"},
    {kClassesRoot, L"HKEY_CLASSES_ROOT"},
    {kUsers, L"HKEY_USERS"},
    {kPerformanceData, L"HKEY_PERFORMANCE_DATA"},
    {kCurrentConfig, L"HKEY_CURRENT_CONFIG"},
    {kDynData, L"HKEY_DYN_DATA"},
}};

// The root names are plain ASCII, so only ASCII letters fold: no other
// spelling (a dotless ı, a Kelvin sign for K) is taken for one of them.
bool EqualsAsciiNoCase(std::wstring_view a, std::wstring_view b) noexcept {
  if (a.size() != b.size()) return false;
  auto lower = [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

RootHandle RootFromName(const std::wstring& name) {
  for (const auto& entry : kRootNames) {
    if (EqualsAsciiNoCase(name, entry.name)) return entry.root;
  }
  return kNoRoot;
}

std::wstring RootName(RootHandle root) {
  for (const auto& entry : kRootNames) {
    if (entry.root == root) return entry.name;
  }
  return {};
}

// Lines the grammar cannot take apart are skipped rather than loaded as inert
// entries. Taken apart anyway they are not harmless: a monitor line naming only
// a root would back up, compare and restore the whole root (its backup copy
// being the program's own key), and a value line without a key would watch a
// value at the root, or flag every finding that happens to carry its stray last
// component as a name, since findings are matched against entries by name alone.
std::optional<WatchEntry> ParseWatchEntry(std::wstring_view line) {
  const std::size_t tab = line.find(L'\t');
  if (tab == std::wstring_view::npos) return std::nullopt;
  std::wstring_view path = line.substr(tab + 1);
  path = path.substr(0, path.find(L'\t'));  // further fields are ignored
  if (path.empty()) return std::nullopt;

  WatchEntry entry;
  entry.Label = std::wstring(line.substr(0, tab));
  const std::vector<std::wstring> parts = Split(path, L'\\');
  entry.Root = RootFromName(parts.front());
  if (entry.Label == kMonitorLabel) {
    // Empty components are kept, so "Root\A\\B" watches "A\\B" and "Root\A\"
    // watches "A\"; only a key path that comes out empty (a bare root) is refused.
    entry.KeyPath = JoinComponents(parts, 1, parts.size());
    if (entry.KeyPath.empty()) return std::nullopt;
  } else {
    if (parts.size() < 3) return std::nullopt;
    entry.KeyPath = JoinComponents(parts, 1, parts.size() - 1);
    entry.ValueName = parts.back();
  }
  return entry;
}

std::optional<WatchEntry> ParseUserWatchEntry(std::wstring_view line) {
  std::optional<WatchEntry> entry = ParseWatchEntry(line);
  if (entry) {
    entry->KeyPath = UnescapeUserName(entry->KeyPath);
    entry->ValueName = UnescapeUserName(entry->ValueName);
  }
  return entry;
}

void WatchList::ParseWatchLine(const std::wstring& line) {
  if (auto entry = ParseWatchEntry(line)) WatchEntries.push_back(std::move(*entry));
}

bool WatchList::LoadWatchList(const FileSystem& files, const std::wstring& programFolder) {
  bool read = true;
  for (const wchar_t* name : {kWatchListFileName, kUserWatchListFileName}) {
    const std::wstring path = programFolder + name;
    if (!FileExists(files, path)) {
      read = read && name == kUserWatchListFileName;
      continue;
    }
    // Only Tavrel writes escapes, and only into the user file: the main file's
    // grammar stays as people have always written it.
    const bool escaped = name == kUserWatchListFileName;
    // A file that exists but cannot be read (locked by another program, no
    // access) is skipped like a missing one: the scan still guards what the
    // other file names, where refusing to start would guard nothing. The file
    // is read whole before any line is taken, so it never adds half its lines.
    read = ForEachAnsiLine(files, path,
                           [this, escaped](std::wstring_view line) {
                             const std::wstring_view trimmed = TrimSpaces(line);
                             if (!IsDataLine(trimmed)) return;
                             std::optional<WatchEntry> entry =
                                 escaped ? ParseUserWatchEntry(trimmed) : ParseWatchEntry(trimmed);
                             if (entry) WatchEntries.push_back(std::move(*entry));
                           }) &&
           read;
  }
  return read;
}

int WatchList::LastWatchIndex() const noexcept {
  return WatchEntries.empty() ? 0 : static_cast<int>(WatchEntries.size() - 1);
}

WatchEntry WatchList::GetWatchEntry(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= WatchEntries.size()) return {};
  return WatchEntries[static_cast<std::size_t>(index)];
}

}  // namespace tavrel
