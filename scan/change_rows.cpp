#include "scan/change_rows.h"

#include <utility>
#include <vector>

#include "platform/text.h"
#include "scan/found_count.h"

namespace tavrel {

void ChangeRowBuilder::IndexWatchList() {
  watchedNames_.clear();
  const int last = watchList_.LastWatchIndex();
  for (int i = 0; i <= last; ++i) watchedNames_.insert(ToLower(watchList_.GetWatchEntry(i).ValueName));
  indexed_ = true;
}

bool ChangeRowBuilder::NamesWatchedValue(const std::wstring& valueName) {
  if (!indexed_) IndexWatchList();
  return watchedNames_.contains(ToLower(valueName));
}

void ChangeRowBuilder::AddChangeRow(std::wstring_view kind, RootHandle root, const std::wstring& valueName,
                                    const std::wstring& backupKey, const std::wstring& keyPath) {
  const std::wstring foldedKind = ToLower(kind);
  std::vector<std::wstring> fields;
  if (foldedKind == kKeyCreated) {
    std::wstring live = registry_.ReadStringValue(root, keyPath, valueName, L"");
    fields = {L"Created", valueName, std::move(live), backupKey, keyPath};
  } else if (foldedKind == kKeyChanged) {
    std::wstring live = registry_.ReadStringValue(root, keyPath, valueName, L"");
    std::wstring backup = registry_.ReadStringValue(root, backupKey, valueName, L"");
    fields = {L"Changed", valueName, std::move(live), std::move(backup), backupKey, keyPath};
  } else if (foldedKind == kKeyDeleted) {
    std::wstring backup = registry_.ReadStringValue(root, backupKey, valueName, L"");
    fields = {L"Deleted", valueName, std::move(backup), backupKey, keyPath};
  } else {
    return;
  }

  ChangeList& list = dialog_.LoadHidden();
  ChangeRow& row = list.Row(list.Append(ChangeRow{std::move(fields), root, true}));
  if (NamesWatchedValue(valueName)) {
    CountFinding(watchList_.FoundCount);
    row.Checked = false;
  }
}

void ChangeRowBuilder::AddValueEntryRow(const WatchEntry& entry, const std::wstring& liveValue) {
  ChangeList& list = dialog_.LoadHidden();
  ChangeRow row{{entry.Label, entry.ValueName, liveValue, L"", entry.KeyPath}, entry.Root, false};

  // Value entries are few, so a walk of the rows for each one stays cheap.
  const std::size_t count = list.Count();
  for (std::size_t r = 0; r < count; ++r) {
    ChangeRow& existing = list.Row(r);
    if (existing.Tag == entry.Root && existing.Field(2) == liveValue &&
        EqualsNoCase(existing.Field(1), entry.ValueName)) {
      existing = std::move(row);
      return;
    }
  }
  list.Append(std::move(row));
}

}  // namespace tavrel
