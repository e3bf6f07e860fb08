#pragma once
// One "machine" for a fault sweep: a watched key with string and other
// values, its backup copy (changed, created and deleted values against it),
// a value entry, a user watch-list file, and the scan engine and review
// dialog wired to them. Every run of a sweep starts from a fresh one.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "registry/memory/memory_registry.h"
#include "registry/registry.h"
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
inline constexpr wchar_t kFolder[] = L"C:\\Tavrel";
inline constexpr wchar_t kUserList[] = L"C:\\Tavrel\\tavrel-user.ini";

class StillClock final : public Clock {
 public:
  [[nodiscard]] LocalTime Now() const override { return {2026, 8, 9, 10, 11, 12}; }
};

// Every value of the keys the sweeps touch, by "<key id>|<folded name>".
using Snapshot = std::map<std::wstring, StoredValue>;

struct FaultWorld {
  FaultWorld();
  FaultWorld(const FaultWorld&) = delete;
  FaultWorld& operator=(const FaultWorld&) = delete;

  // Rows of a Compare, as the dialog holds them.
  std::vector<ChangeRow> Compare();
  [[nodiscard]] Snapshot Take() const;
  // Initial names of a key, in listing order, by key id.
  [[nodiscard]] std::vector<std::wstring> InitialNames(const std::wstring& keyId) const;

  MemoryRegistry memory;
  RecordingRegistry recorder{memory};  // every call the program makes, in order
  Registry registry{recorder};
  WatchList watchList;
  HeadlessToolkit toolkit;
  fuzz::MemoryFiles files;
  FaultyFileSystem faultyFiles{files};  // the writer's road to the files
  StillClock clock;
  UserWatchListWriter userWatchList{faultyFiles, clock, kFolder};
  ScanWindowState state{.AutoRepair = 1, .tavrelsilent = 1};
  ReviewDialog dialog;
  ChangeRowBuilder rows;
  NoScanProgress progress;
  ScanDriver driver;

 private:
  std::map<std::wstring, std::vector<std::wstring>> initialNames_;
};

}  // namespace tavrel::faults
