#include "scan/change_rows.h"

#include <utility>
#include <vector>

#include "platform/text.h"
#include "scan/found_count.h"
#include "scan/value_text.h"

namespace tavrel {

void ChangeRowBuilder::IndexWatchList() {
  watchedNames_.clear();
  const int last = watchList_.LastWatchIndex();
  for (int i = 0; i <= last; ++i) {
    const WatchEntry entry = watchList_.GetWatchEntry(i);
    // A monitor entry names a key, not a value: its empty ValueName must not
    // flag every change of a key's unnamed value.
    if (entry.Label != kMonitorLabel) watchedNames_.insert(ToLower(entry.ValueName));
  }
  indexed_ = true;
}

bool ChangeRowBuilder::NamesWatchedValue(const std::wstring& valueName) {
  if (!indexed_) IndexWatchList();
  return watchedNames_.contains(ToLower(valueName));
}

void ChangeRowBuilder::AddChangeRow(std::wstring_view kind, RootHandle root, const std::wstring& valueName,
                                    const std::wstring& backupKey, const std::wstring& keyPath,
                                    std::optional<RawValue> live, std::optional<RawValue> backup) {
  const std::wstring foldedKind = ToLower(kind);
  std::vector<std::wstring> fields;
  if (foldedKind == kKeyCreated) {
    fields = {L"Created", valueName, ShownText(live), backupKey, keyPath};
  } else if (foldedKind == kKeyChanged) {
    fields = {L"Changed", valueName, ShownText(live), ShownText(backup), backupKey, keyPath};
  } else if (foldedKind == kKeyDeleted) {
    fields = {L"Deleted", valueName, ShownText(backup), backupKey, keyPath};
  } else {
    return;
  }

  const bool flagged = NamesWatchedValue(valueName) || !IsNameable(valueName);
  if (flagged) CountFinding(watchList_.FoundCount);
  dialog_.LoadHidden().Append(ChangeRow{std::move(fields), root, !flagged, std::move(live), std::move(backup)});
}

void ChangeRowBuilder::AddValueEntryRow(const WatchEntry& entry, RawValue live) {
  ChangeList& list = dialog_.LoadHidden();
  ChangeRow row{
      {entry.Label, entry.ValueName, ShownText(live), L"", entry.KeyPath}, entry.Root, false, std::move(live)};

  // Value entries are few, so a walk of the rows for each one stays cheap.
  const std::size_t count = list.Count();
  for (std::size_t r = 0; r < count; ++r) {
    ChangeRow& existing = list.Row(r);
    if (existing.Tag == entry.Root && existing.Field(2) == row.Field(2) &&
        EqualsNoCase(existing.Field(1), entry.ValueName)) {
      existing = std::move(row);
      return;
    }
  }
  list.Append(std::move(row));
}

void ChangeRowBuilder::AddLinkRow(RootHandle root, const std::wstring& linkPath, const std::wstring& backupKey,
                                  const std::wstring& keyPath) {
  CountFinding(watchList_.FoundCount);
  dialog_.LoadHidden().Append(ChangeRow{{L"Link", L"", linkPath, backupKey, keyPath}, root, false});
}

}  // namespace tavrel
