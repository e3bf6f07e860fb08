#pragma once
// Turns the scan's findings into rows of the review dialog's list and flags
// the rows that name a watched value.
//
// Created, changed and deleted rows carry the fields
//   "Created", name, live text,                backup key, key path
//   "Changed", name, live text, backup text,   backup key, key path
//   "Deleted", name, backup text,              backup key, key path
// a value-entry row
//   Label, ValueName, live text, "",           KeyPath
// and a row for a registry link met on a watched key's way
//   "Link", "", the path with the link,        backup key or "", key path
// each tagged with the key's root handle and keeping the raw values it shows
// (texts as ShownText renders them).
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "registry/registry.h"
#include "review/change_list.h"
#include "watchlist/watch_list.h"

namespace tavrel {

// Change kinds as the scan passes them; compared after lower-casing.
inline constexpr wchar_t kKeyCreated[] = L"keycreated";
inline constexpr wchar_t kKeyChanged[] = L"keychanged";
inline constexpr wchar_t kKeyDeleted[] = L"keydeleted";

class ChangeRowBuilder {
 public:
  ChangeRowBuilder(WatchList& watchList, ChangeListHost& dialog) noexcept : watchList_(watchList), dialog_(dialog) {}

  // Appends a change row showing the values the scan read. A row whose value
  // name matches any watch entry's ValueName (ignoring case), or cannot be
  // named exactly (a hiding technique), starts unchecked and counts in
  // FoundCount; others start checked. Any kind other than the three above
  // adds nothing and leaves the dialog unloaded.
  void AddChangeRow(std::wstring_view kind, RootHandle root, const std::wstring& valueName,
                    const std::wstring& backupKey, const std::wstring& keyPath, std::optional<RawValue> live = {},
                    std::optional<RawValue> backup = {});

  // Adds the unchecked row of a present value entry. It takes the place of the
  // first row with the same tag, field 1 equal ignoring case and field 2 equal
  // exactly (a change row for the same value), or else is appended. The caller
  // has already counted the finding.
  void AddValueEntryRow(const WatchEntry& entry, RawValue live);

  // Adds the unchecked row of a link on a watched key's way, counted in FoundCount.
  void AddLinkRow(RootHandle root, const std::wstring& linkPath, const std::wstring& backupKey,
                  const std::wstring& keyPath);

  // Reads the watch list's value names afresh. The list is read-only during a
  // scan; the scan driver calls this when a scan starts, and the first
  // AddChangeRow does so when it has never been done.
  void IndexWatchList();

 private:
  [[nodiscard]] bool NamesWatchedValue(const std::wstring& valueName);

  WatchList& watchList_;
  ChangeListHost& dialog_;
  // Folded ValueName of every watch entry: "is there a first matching entry"
  // in one look-up instead of a walk of the list per row.
  std::unordered_set<std::wstring> watchedNames_;
  bool indexed_ = false;
};

}  // namespace tavrel
