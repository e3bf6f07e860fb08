#pragma once
// The in-memory watch list: entries from "tavrel.ini" then "tavrel-user.ini",
// and the count of flagged findings of the run. Owned by the program context.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"

namespace tavrel {

class FileSystem;

struct WatchEntry {
  std::wstring Label;
  RootHandle Root = kNoRoot;
  std::wstring KeyPath;
  std::wstring ValueName;
  bool operator==(const WatchEntry&) const = default;
};

inline constexpr wchar_t kMonitorLabel[] = L"MONITOR";
inline constexpr wchar_t kWatchListFileName[] = L"\\tavrel.ini";
inline constexpr wchar_t kUserWatchListFileName[] = L"\\tavrel-user.ini";

class WatchList {
 public:
  std::vector<WatchEntry> WatchEntries;
  std::int16_t FoundCount = 0;

  // Appends the data lines of both files in the program folder, in file order.
  // A missing file, or one that exists but cannot be read, adds nothing.
  // False when "tavrel.ini" is missing or a file that is there could not be
  // read: the scan still runs on what was read, and says so.
  bool LoadWatchList(const FileSystem& files, const std::wstring& programFolder);
  // Appends one entry for a trimmed data line; a line that cannot be taken
  // apart (see ParseWatchEntry) appends nothing.
  void ParseWatchLine(const std::wstring& line);
  // Highest index, or 0 for an empty list.
  [[nodiscard]] int LastWatchIndex() const noexcept;
  // A copy; an index outside the list gives an empty entry with root 0.
  [[nodiscard]] WatchEntry GetWatchEntry(int index) const;
};

// The entry a trimmed data line gives, or nothing for a line that cannot be
// taken apart: no TAB, an empty second field, a monitor line naming only a
// root, or a value line without a key between root and value name.
[[nodiscard]] std::optional<WatchEntry> ParseWatchEntry(std::wstring_view line);
// The same for a line of the user file, whose names Tavrel writes escaped
// (user_line_escape.h): the entry holds them decoded.
[[nodiscard]] std::optional<WatchEntry> ParseUserWatchEntry(std::wstring_view line);

// Root names both ways: reading folds case; writing gives the upper-case name,
// or the empty text for an unknown handle.
[[nodiscard]] RootHandle RootFromName(const std::wstring& name);
[[nodiscard]] std::wstring RootName(RootHandle root);

}  // namespace tavrel
