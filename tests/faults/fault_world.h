#pragma once
// One "machine" for a fault sweep: a watched key with string and other
// values, its backup copy (changed, created and deleted values against it),
// a user watch-list file, and the scan engine and review dialog wired to
// them. Every run of a sweep starts from a fresh one.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/text.h"
#include "registry/memory/memory_registry.h"
#include "registry/registry.h"
#include "registry/utf16.h"
#include "review/review_dialog.h"
#include "scan/change_rows.h"
#include "scan/scan_driver.h"
#include "scan/scan_progress.h"
#include "scan/scan_window_state.h"
#include "tests/faults/recording_registry.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/fuzz/memory_files.h"
#include "ui/headless/headless_toolkit.h"
#include "watchlist/user_watch_list.h"
#include "watchlist/watch_list.h"

namespace tavrel::faults {

inline constexpr wchar_t kWatched[] = L"Software\\FaultHost\\Run";
inline constexpr wchar_t kBackup[] = L"Software\\Brix Computers\\Tavrel\\Software\\FaultHost\\Run";
inline constexpr wchar_t kOther[] = L"Software\\FaultHost\\Other";
inline constexpr wchar_t kUserList[] = L"C:\\Tavrel\\tavrel-user.ini";
// The keys a snapshot covers.
inline constexpr std::pair<RootHandle, const wchar_t*> kSnapshotKeys[] = {
    {kCurrentUser, kWatched}, {kCurrentUser, kBackup}, {kCurrentUser, kOther},
    {kLocalMachine, L"Software\\Brix Computers\\Tavrel"}};

class StillClock final : public Clock {
 public:
  [[nodiscard]] LocalTime Now() const override { return {2026, 8, 9, 10, 11, 12}; }
};

// Every value of the snapshot keys, by "<key id>|<folded name>".
using Snapshot = std::map<std::wstring, StoredValue>;

struct FaultWorld {
  FaultWorld() {
    const auto sz = [](const std::wstring& text) {
      std::vector<std::byte> bytes = EncodeUtf16Le(text);
      bytes.resize(bytes.size() + 2);
      return bytes;
    };
    const std::vector<std::byte> seven = {std::byte{7}, std::byte{0}, std::byte{0}, std::byte{0}};
    // Live key, in creation order: unchanged, changed, created (string, expandable
    // and flagged), and a number; the backup copy has one value the key lost.
    memory.PutValue(kCurrentUser, kWatched, L"Keep", kRegSz, sz(L"C:\\keep.exe"));
    memory.PutValue(kCurrentUser, kWatched, L"Changed", kRegSz, sz(L"C:\\new.exe"));
    memory.PutValue(kCurrentUser, kWatched, L"Created", kRegSz, sz(L"C:\\created.exe"));
    memory.PutValue(kCurrentUser, kWatched, L"Number", kRegDword, seven);
    memory.PutValue(kCurrentUser, kWatched, L"Expand", kRegExpandSz, sz(L"%TEMP%\\x.exe"));
    memory.PutValue(kCurrentUser, kWatched, L"Flagged", kRegSz, sz(L"C:\\evil.exe"));
    memory.PutValue(kCurrentUser, kBackup, L"Keep", kRegSz, sz(L"C:\\keep.exe"));
    memory.PutValue(kCurrentUser, kBackup, L"Changed", kRegSz, sz(L"C:\\old.exe"));
    memory.PutValue(kCurrentUser, kBackup, L"Number", kRegDword, seven);
    memory.PutValue(kCurrentUser, kBackup, L"Gone", kRegSz, sz(L"C:\\gone.exe"));
    memory.PutValue(kCurrentUser, kOther, L"Stray", kRegSz, sz(L"C:\\stray.exe"));
    watchList.ParseWatchLine(std::wstring(L"MONITOR\tHKEY_CURRENT_USER\\") + kWatched);
    watchList.ParseWatchLine(std::wstring(L"Watch\tHKEY_CURRENT_USER\\") + kOther + L"\\Stray");
    watchList.ParseWatchLine(std::wstring(L"Watch\tHKEY_CURRENT_USER\\") + kOther + L"\\Flagged");
    files.contents[kUserList] =
        "' removed by the user\r\n"
        "2026-01-01 00:00:00\tHKEY_CURRENT_USER\\Software\\FaultHost\\Other\\Stray\r\n"
        "2026-01-01 00:00:00\tHKEY_CURRENT_USER\\Software\\FaultHost\\Other\\Flagged\r\n";
  }
  FaultWorld(const FaultWorld&) = delete;
  FaultWorld& operator=(const FaultWorld&) = delete;

  // Rows of a Compare, as the dialog holds them.
  std::vector<ChangeRow> Compare() {
    watchList.FoundCount = 0;
    driver.ScanWatchList(kScanCompare);
    return dialog.IsLoaded() ? dialog.LoadHidden().Rows() : std::vector<ChangeRow>{};
  }
  [[nodiscard]] Snapshot Take() const {
    Snapshot snapshot;
    for (const auto& [root, path] : kSnapshotKeys) {
      for (const StoredValue& value : memory.Values(root, path)) {
        snapshot[KeyId(root, path) + L"|" + ToLower(value.name)] = value;
      }
    }
    return snapshot;
  }
  // Folded names of a key's values, in listing order, by key id.
  [[nodiscard]] std::vector<std::wstring> Names(const std::wstring& keyId) const {
    for (const auto& [root, path] : kSnapshotKeys) {
      if (KeyId(root, path) != keyId) continue;
      std::vector<std::wstring> names;
      for (const StoredValue& value : memory.Values(root, path)) names.push_back(ToLower(value.name));
      return names;
    }
    return {};
  }

  MemoryRegistry memory;
  RecordingRegistry recorder{memory};  // every call the program makes, in order
  Registry registry{recorder};
  WatchList watchList;
  HeadlessToolkit toolkit;
  fuzz::MemoryFiles files;
  FaultyFileSystem faultyFiles{files};  // the writer's road to the files
  StillClock clock;
  UserWatchListWriter userWatchList{faultyFiles, clock, L"C:\\Tavrel"};
  ScanWindowState state{.AutoRepair = 1, .tavrelsilent = 1};
  ReviewDialog dialog{toolkit, registry, userWatchList, state};
  ChangeRowBuilder rows{registry, watchList, dialog};
  NoScanProgress progress;
  ScanDriver driver{registry, watchList, rows, progress};
};

}  // namespace tavrel::faults
