#pragma once
// Watch mode (/watch): one full Compare at start, then a Compare of the keys a
// notification names, each finished as every other scan. The backup copies are
// watched too (a change Tavrel did not make marks the baseline untrusted), and
// a flagged value that a running program keeps putting back is left alone after
// a few automatic undos instead of being undone forever.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "registry/registry.h"
#include "report/scan_report.h"
#include "review/review_dialog.h"
#include "review/shared_state.h"
#include "scan/scan_window.h"
#include "watch/change_source.h"
#include "watch/tray_icon.h"
#include "watchlist/watch_list.h"

namespace tavrel {

// Under HKEY_CURRENT_USER\<the program's key>: when a backup copy last changed behind Tavrel's back, and which.
inline constexpr wchar_t kBaselineAlarmValue[] = L"Baseline Alarm";

struct WatcherParts {
  ScanWindow& scanWindow;
  ReviewDialog& dialog;
  Registry& registry;
  const WatchList& watchList;
  const SharedState& state;
  const Clock& clock;
  ScanReport& report;
  WatchServices services;
};

class Watcher {
 public:
  // Changes closer together than this are compared once.
  static constexpr std::chrono::milliseconds kSettleTime{300};
  // A flagged value that comes back more than three times within the window
  // (undone four times) is left alone the next time.
  static constexpr std::size_t kMostUndos = 4;
  static constexpr std::chrono::minutes kUndoWindow{5};

  explicit Watcher(WatcherParts parts);
  ~Watcher();
  Watcher(const Watcher&) = delete;
  Watcher& operator=(const Watcher&) = delete;

  // Shows the icon, watches every key of the list and runs the first full Compare.
  void Start();
  void Command(TrayCommand command);

 private:
  struct Target {
    WatchTarget where;
    bool backup = false;               // a backup copy (the tripwire) rather than a watched key
    std::vector<std::size_t> entries;  // watch entries to compare when it changes
    std::wstring digest;               // backup copies: as Tavrel last left it
  };

  void AddTarget(WatchTarget where, bool backup, std::size_t entry);
  void Arm();
  void Changed(std::size_t target);
  void Settled();
  void ScanDone(const ScanTotals& totals);
  void Scan(const std::set<std::size_t>& entries);
  void ScanAll();
  void ReviewRows(ChangeList& rows, std::int16_t& foundCount);
  // Digests of the backup copies as they are now: those named in `only`, or all.
  void TakeBaseline(const std::set<std::wstring>& only = {});
  void CheckBackup(Target& target);
  void UpdateTooltip();

  WatcherParts parts_;
  std::vector<Target> targets_;
  std::set<std::size_t> pending_;
  // Automatic undos per value (root, key and name, folded) and the values left alone.
  std::map<std::wstring, std::vector<std::chrono::milliseconds>> undos_;
  std::set<std::wstring> leftAlone_;
  // Backup copies the rows of the open scan may write (root and folded key).
  std::set<std::wstring> written_;
  std::wstring lastResult_;
  std::wstring lastScanTime_;
  bool paused_ = false;
  bool ending_ = false;
  bool trusted_ = true;
};

}  // namespace tavrel
