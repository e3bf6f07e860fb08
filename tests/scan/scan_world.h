#pragma once
// One fresh "process" for a scan test: the build's registry, a watch list,
// the review list and the scan engine wired together, plus a scratch key per
// test that is cleared before and after it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "registry/registry.h"
#include "review/change_list.h"
#include "scan/backup_key.h"
#include "scan/change_rows.h"
#include "scan/scan_driver.h"
#include "scan/scan_progress.h"
#include "watchlist/watch_list.h"

namespace tavrel {
void PrintTo(const ChangeRow& row, std::ostream* out);
}  // namespace tavrel

namespace tavrel::test {

[[nodiscard]] std::unique_ptr<RegistryApi> MakeTestRegistryApi();

// The calls, and the number of rows listed when each position is shown.
class RecordingProgress final : public ScanProgress {
 public:
  explicit RecordingProgress(const ReviewList& list) : list_(list) {}
  void SetMaximum(int maximum) override { calls.push_back({L"max", maximum}); }
  void SetPosition(int position) override {
    calls.push_back({L"pos", position});
    rowsBefore.push_back(list_.List().Count());
  }
  std::vector<std::pair<std::wstring, int>> calls;
  std::vector<std::size_t> rowsBefore;

 private:
  const ReviewList& list_;
};

class ScanWorld {
 public:
  explicit ScanWorld(std::wstring testName);
  ~ScanWorld();
  ScanWorld(const ScanWorld&) = delete;
  ScanWorld& operator=(const ScanWorld&) = delete;

  [[nodiscard]] std::wstring Key(const std::wstring& name) const { return base_ + L"\\" + name; }
  [[nodiscard]] static std::wstring Backup(const std::wstring& keyPath) { return BackupKeyFor(keyPath); }

  void Watch(const std::wstring& line) { watchList.ParseWatchLine(line); }
  void WatchKey(RootHandle root, const std::wstring& keyPath);
  void WatchValue(const std::wstring& label, RootHandle root, const std::wstring& keyPath,
                  const std::wstring& valueName);

  void Set(const std::wstring& keyPath, const std::wstring& name, const std::wstring& text,
           RootHandle root = kCurrentUser);
  void SetDword(const std::wstring& keyPath, const std::wstring& name, std::uint32_t number,
                RootHandle root = kCurrentUser);
  void Remove(const std::wstring& keyPath, const std::wstring& name, RootHandle root = kCurrentUser) {
    registry.DeleteValue(root, keyPath, name);
  }
  // In enumeration order, up to the first unnamed value.
  [[nodiscard]] std::vector<std::wstring> Names(const std::wstring& keyPath, RootHandle root = kCurrentUser);
  [[nodiscard]] bool KeyExists(const std::wstring& keyPath, RootHandle root = kCurrentUser);

  void Scan(const std::wstring& scanType) { driver.ScanWatchList(scanType); }
  [[nodiscard]] const std::vector<ChangeRow>& Rows() const { return dialog.List().Rows(); }

  // Sorted by name (Wine) or in creation order (Windows, in memory): probed.
  [[nodiscard]] bool ListsSortedByName();

  std::unique_ptr<RegistryApi> api;
  Registry registry;
  WatchList watchList;
  ReviewList dialog;
  ChangeRowBuilder rows;
  RecordingProgress progress;
  ScanDriver driver;

 private:
  void Clean();
  std::wstring base_;
  std::vector<std::pair<RootHandle, std::wstring>> touched_;
};

// Expected rows, written the way the dialog reads them.
[[nodiscard]] ChangeRow Created(const std::wstring& keyPath, const std::wstring& name, const std::wstring& live,
                                bool checked = true, RootHandle root = kCurrentUser);
[[nodiscard]] ChangeRow Changed(const std::wstring& keyPath, const std::wstring& name, const std::wstring& live,
                                const std::wstring& backup, bool checked = true, RootHandle root = kCurrentUser);
[[nodiscard]] ChangeRow Deleted(const std::wstring& keyPath, const std::wstring& name, const std::wstring& backup,
                                bool checked = true, RootHandle root = kCurrentUser);
[[nodiscard]] ChangeRow ValueEntryRow(const std::wstring& label, const std::wstring& keyPath,
                                      const std::wstring& name, const std::wstring& live,
                                      RootHandle root = kCurrentUser);

[[nodiscard]] std::wstring CurrentTestName();

}  // namespace tavrel::test
