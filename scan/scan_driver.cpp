#include "scan/scan_driver.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "scan/backup_key.h"
#include "scan/found_count.h"
#include "scan/value_name_index.h"
#include "scan/value_text.h"

namespace tavrel {

void ScanDriver::ScanWatchList(const std::wstring& scanType) {
  rows_.IndexWatchList();
  const int last = watchList_.LastWatchIndex();
  progress_.SetMaximum(last);
  for (int i = 0; i <= last; ++i) {
    progress_.SetPosition(i);
    const WatchEntry entry = watchList_.GetWatchEntry(i);
    // An entry without a known root names nothing in the registry (this is
    // also the empty entry an empty list answers for index 0).
    if (entry.Root == kNoRoot) continue;
    if (entry.Label == kMonitorLabel) {
      ScanMonitoredKey(scanType, entry.Root, BackupKeyFor(entry.KeyPath), entry.KeyPath);
      continue;
    }
    // A value entry has no backup copy: its link row leaves that field empty.
    // Its key is opened once for the check and the read.
    const Registry::KeepKeysOpen keep(registry_);
    if (registry_.PathHasLink(entry.Root, entry.KeyPath)) {
      rows_.AddLinkRow(entry.Root, entry.KeyPath, L"", entry.KeyPath);
      continue;
    }
    auto value = registry_.ReadRawValue(entry.Root, entry.KeyPath, entry.ValueName);
    if (value && !(value->type == kRegSz && StringText(*value) == kNoValue)) {
      CountFinding(watchList_.FoundCount);
      rows_.AddValueEntryRow(entry, std::move(*value));
    }
  }
}

void ScanDriver::ScanMonitoredKey(const std::wstring& scanType, RootHandle root, const std::wstring& backupKey,
                                  const std::wstring& keyPath) {
  // The key and its backup copy are each opened once for the whole key, and
  // closed, with every value read of them, before the next key.
  const Registry::KeepKeysOpen keep(registry_);
  for (const std::wstring* path : {&keyPath, &backupKey}) {
    if (registry_.PathHasLink(root, *path)) return rows_.AddLinkRow(root, *path, backupKey, keyPath);
  }
  if (scanType == kScanBackup) {
    registry_.DeleteKey(root, backupKey);
    ValueTable values = registry_.ReadValues(root, keyPath);
    (void)CopyValues(root, values, backupKey);
  } else if (scanType == kScanRestore) {
    Restore(root, backupKey, keyPath);
  } else if (scanType == kScanCompare) {
    Compare(root, backupKey, keyPath);
  }
  // Any other scan type only reads the key, which changes nothing: skipped.
}

// Copies every value it could read (the layer reads no name holding a NUL),
// REG_SZ as its text and other types whole; answers whether it copied any.
// The data is moved out of the rows; their names stay.
bool ScanDriver::CopyValues(RootHandle root, ValueTable& values, const std::wstring& target) {
  bool copied = false;
  for (ValueRow& row : values) {
    const auto value = TakeValue(row);
    if (!value) continue;
    (void)registry_.WriteCopy(root, target, row.name, *value);
    copied = true;
  }
  return copied;
}

// Writes first, deletes after, and never deletes the key: a failure half way
// loses no value. A copy that gives no value to write back is taken for no
// copy at all (Backup leaves none for a key without values, and a listing
// that failed lists nothing), so nothing is deleted. A live value is deleted
// only when its name is not listed in the copy, even if it could not be read.
void ScanDriver::Restore(RootHandle root, const std::wstring& backupKey, const std::wstring& keyPath) {
  ValueTable saved = registry_.ReadValues(root, backupKey);
  if (!CopyValues(root, saved, keyPath)) return;
  ValueNameIndex savedNames(saved);
  for (const ValueRow& row : registry_.EnumValues(root, keyPath)) {
    if (IsNameable(row.name) && savedNames.TakeRows(row.name) == ValueNameIndex::kNone)
      registry_.DeleteValue(root, keyPath, row.name);
  }
}

// Every value is read once, with the listing of its key: a value listed is
// compared as the listing read it.
void ScanDriver::Compare(RootHandle root, const std::wstring& backupKey, const std::wstring& keyPath) {
  ValueTable backup = registry_.ReadValues(root, backupKey);
  ValueTable live = registry_.ReadValues(root, keyPath);
  ValueNameIndex backupRows(backup);

  for (ValueRow& row : live) {
    auto value = TakeValue(row);
    // A value that can be named but was not read kept changing while listed.
    if (!value && IsNameable(row.name)) continue;
    // A live value uses up every backup row of its name: none is matched
    // again or reported deleted.
    bool backedUp = false;
    for (std::size_t b = backupRows.TakeRows(row.name); b != ValueNameIndex::kNone; b = backupRows.NextRow(b)) {
      auto backupValue = TakeValue(backup[b]);
      if (!backupValue && IsNameable(backup[b].name)) continue;  // not read from the copy either
      backedUp = true;
      if (!SameValue(value, backupValue))
        rows_.AddChangeRow(kKeyChanged, root, backup[b].name, backupKey, keyPath, value, std::move(backupValue));
    }
    if (!backedUp) rows_.AddChangeRow(kKeyCreated, root, row.name, backupKey, keyPath, std::move(value));
  }

  for (std::size_t b = 0; b < backup.size(); ++b) {
    if (backupRows.IsUsedUp(b)) continue;
    auto backupValue = TakeValue(backup[b]);
    if (backupValue || !IsNameable(backup[b].name))
      rows_.AddChangeRow(kKeyDeleted, root, backup[b].name, backupKey, keyPath, {}, std::move(backupValue));
  }
}

}  // namespace tavrel
