#pragma once
// The scan of the watch list: backs up, restores or compares each monitored
// key against its backup copy, and reports each present watched value.
#include <optional>
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
  // ScanMonitoredKey; a value entry whose value is present (of any type, but
  // not a REG_SZ reading exactly kNoValue), whatever the scan type, counts in
  // FoundCount and adds a value-entry row.
  void ScanWatchList(const std::wstring& scanType);

  // "Backup" replaces the backup copy with the key's values, "Restore" writes
  // the backup copy's values back and then deletes the others, "Compare" adds
  // a row for every value changed, created or deleted since the backup. Every
  // listed value is walked, the unnamed one too. A link on the way to the key
  // or to its backup copy leaves both alone and is reported instead.
  void ScanMonitoredKey(const std::wstring& scanType, RootHandle root, const std::wstring& backupKey,
                        const std::wstring& keyPath);

 private:
  bool CopyValues(RootHandle root, ValueTable& values, const std::wstring& target);
  void Restore(RootHandle root, const std::wstring& backupKey, const std::wstring& keyPath);
  void Compare(RootHandle root, const std::wstring& backupKey, const std::wstring& keyPath);

  Registry& registry_;
  WatchList& watchList_;
  ChangeRowBuilder& rows_;
  ScanProgress& progress_;
};

}  // namespace tavrel
