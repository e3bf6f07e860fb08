#pragma once
// One fresh "process" for a scan test: a registry (in memory natively,
// advapi32 in the Windows build, run under Wine), a watch list, the review
// dialog's list and the scan engine wired together, plus a scratch key per
// test that is cleared before and after it.
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

// The registry of the build: advapi32 on Windows, an in-memory one elsewhere.
[[nodiscard]] std::unique_ptr<RegistryApi> MakeTestRegistryApi();

class RecordingProgress final : public ScanProgress {
 public:
  void SetMaximum(int maximum) override { calls.push_back({L"max", maximum}); }
  void SetPosition(int position) override { calls.push_back({L"pos", position}); }
  std::vector<std::pair<std::wstring, int>> calls;
};

// The scratch keys of a test: watched keys below Software\TavrelScanTests\<test>.
class ScanWorld {
 public:
  explicit ScanWorld(std::wstring testName);
  ~ScanWorld();
  ScanWorld(const ScanWorld&) = delete;
  ScanWorld& operator=(const ScanWorld&) = delete;

  // A watched key path below the test's scratch key.
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
  // Names of the key's values in enumeration order (up to the first unnamed one).
  [[nodiscard]] std::vector<std::wstring> Names(const std::wstring& keyPath, RootHandle root = kCurrentUser);
  [[nodiscard]] bool KeyExists(const std::wstring& keyPath, RootHandle root = kCurrentUser);

  void Scan(const std::wstring& scanType) { driver.ScanWatchList(scanType); }
  [[nodiscard]] const std::vector<ChangeRow>& Rows() const { return dialog.List().Rows(); }

  // True when the registry lists values sorted by name (Wine), false when in
  // creation order (Windows, the in-memory registry). Probed, not assumed.
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

// The name of the running test, for its scratch key.
[[nodiscard]] std::wstring CurrentTestName();

}  // namespace tavrel::test
