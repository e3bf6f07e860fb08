#pragma once
// The scan of the watch list: backs up, restores or compares each monitored
// key against its backup copy, and reports each present watched value.
#include <string>

#include "registry/registry.h"
#include "scan/change_rows.h"
#include "scan/scan_progress.h"
#include "watchlist/watch_list.h"

namespace tavrel {

// Scan types, compared exactly: any other text leaves monitored keys alone.
inline constexpr wchar_t kScanBackup[] = L"Backup";
inline constexpr wchar_t kScanRestore[] = L"Restore";
inline constexpr wchar_t kScanCompare[] = L"Compare";

// A value entry's value reads as this when absent; a value holding exactly
// this text counts as absent too.
inline constexpr wchar_t kNoValue[] = L"novalue";

class ScanDriver {
 public:
  ScanDriver(Registry& registry, WatchList& watchList, ChangeRowBuilder& rows, ScanProgress& progress) noexcept
      : registry_(registry), watchList_(watchList), rows_(rows), progress_(progress) {}

  // Walks the watch list once, in index order. Monitor entries are handled by
  // ScanMonitoredKey; a value entry whose value is present, whatever the scan
  // type, counts in FoundCount and adds a value-entry row.
  void ScanWatchList(const std::wstring& scanType);

  // "Backup" replaces the backup copy with the key's values, "Restore"
  // rebuilds the key from the backup copy, "Compare" adds a row for every
  // string value changed, created or deleted since the backup. The walk of
  // the key's values ends at its unnamed value.
  void ScanMonitoredKey(const std::wstring& scanType, RootHandle root, const std::wstring& backupKey,
                        const std::wstring& keyPath);

 private:
  void CopyValues(RootHandle root, const std::wstring& source, const std::wstring& target);
  void Compare(RootHandle root, const std::wstring& backupKey, const std::wstring& keyPath);

  Registry& registry_;
  WatchList& watchList_;
  ChangeRowBuilder& rows_;
  ScanProgress& progress_;
};

}  // namespace tavrel
