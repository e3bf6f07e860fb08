#include "scan/scan_driver.h"

#include <cstddef>
#include <vector>

#include "platform/text.h"
#include "scan/backup_key.h"
#include "scan/found_count.h"
#include "scan/value_name_index.h"

namespace tavrel {
namespace {

// The rows a walk visits: from the first up to, not including, the first
// row without a name. The key's unnamed value therefore ends the walk.
std::size_t NamedPrefixLength(const ValueTable& table) noexcept {
  std::size_t n = 0;
  while (n < table.size() && !table[n].name.empty()) ++n;
  return n;
}

}  // namespace

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
    const std::wstring value = registry_.ReadStringValue(entry.Root, entry.KeyPath, entry.ValueName, kNoValue);
    if (value != kNoValue) {
      CountFinding(watchList_.FoundCount);
      rows_.AddValueEntryRow(entry, value);
    }
  }
}

void ScanDriver::ScanMonitoredKey(const std::wstring& scanType, RootHandle root, const std::wstring& backupKey,
                                  const std::wstring& keyPath) {
  if (scanType == kScanBackup) {
    registry_.DeleteKey(root, backupKey);
    CopyValues(root, keyPath, backupKey);
  } else if (scanType == kScanRestore) {
    // The first write re-creates the key; a key the platform refuses to delete
    // (it has subkeys) keeps its other values.
    registry_.DeleteKey(root, keyPath);
    CopyValues(root, backupKey, keyPath);
  } else if (scanType == kScanCompare) {
    Compare(root, backupKey, keyPath);
  }
  // Any other scan type only reads the key, which changes nothing: skipped.
}

void ScanDriver::CopyValues(RootHandle root, const std::wstring& source, const std::wstring& target) {
  const ValueTable table = registry_.EnumValues(root, source);
  const std::size_t count = NamedPrefixLength(table);
  for (std::size_t i = 0; i < count; ++i) {
    const std::wstring& name = table[i].name;
    // Non-string values keep their type and bytes. One whose raw read fails
    // (it vanished since the listing) is copied as the string path would:
    // as an empty string value.
    if (table[i].type != kRegSz) {
      if (const auto raw = registry_.ReadRawValue(root, source, name)) {
        registry_.WriteRawValue(root, target, name, *raw);
        continue;
      }
    }
    registry_.WriteStringValue(root, target, name, registry_.ReadStringValue(root, source, name, L""));
  }
}

void ScanDriver::Compare(RootHandle root, const std::wstring& backupKey, const std::wstring& keyPath) {
  const ValueTable backup = registry_.EnumValues(root, backupKey);
  const ValueTable live = registry_.EnumValues(root, keyPath);
  ValueNameIndex backupRows(backup);

  const std::size_t liveCount = NamedPrefixLength(live);
  for (std::size_t i = 0; i < liveCount; ++i) {
    const std::wstring& name = live[i].name;
    const std::wstring value = registry_.ReadStringValue(root, keyPath, name, L"");
    // A live value uses up every backup row of its name: none is matched
    // again or reported deleted.
    const std::size_t firstMatch = backupRows.TakeRows(name);
    if (firstMatch == ValueNameIndex::kNone) {
      rows_.AddChangeRow(kKeyCreated, root, name, backupKey, keyPath);
      continue;
    }
    for (std::size_t b = firstMatch; b != ValueNameIndex::kNone; b = backupRows.NextRow(b)) {
      const std::wstring& backupName = backup[b].name;
      const std::wstring backupValue = registry_.ReadStringValue(root, backupKey, backupName, L"");
      if (!EqualsNoCase(value, backupValue)) rows_.AddChangeRow(kKeyChanged, root, backupName, backupKey, keyPath);
    }
  }

  for (std::size_t b = 0; b < backup.size(); ++b) {
    if (!backup[b].name.empty() && !backupRows.IsUsedUp(b)) {
      rows_.AddChangeRow(kKeyDeleted, root, backup[b].name, backupKey, keyPath);
    }
  }
}

}  // namespace tavrel
