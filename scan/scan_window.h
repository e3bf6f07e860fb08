#pragma once
// frmMain, the scan window: the load step that decides the kind of run, the
// Scan Now and Close buttons, the scan finish and the status values. Plain
// logic over the toolkit seam; it is the progress bar the scan moves.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/sound.h"
#include "registry/registry.h"
#include "review/review_dialog.h"
#include "review/review_outcome.h"
#include "review/shared_state.h"
#include "scan/command_line.h"
#include "scan/scan_progress.h"
#include "ui/toolkit.h"
#include "watchlist/watch_list.h"

namespace tavrel {

inline constexpr wchar_t kScanWindowTitle[] = L"Brix Tavrel";
inline constexpr wchar_t kScanCompleteText[] = L"Scan Complete";
inline constexpr wchar_t kAlertFileName[] = L"\\alert.wav";

// The seams and shared objects the scan window works with.
struct ScanWindowServices {
  Toolkit& toolkit;
  Registry& registry;
  WatchList& watchList;
  const FileSystem& files;
  const Process& process;
  InstanceLock& instanceLock;
  SoundPlayer& sound;
  const Clock& clock;
  ScanOutcomeSink& report;
};

class ScanWindow final : public ScanProgress {
 public:
  ScanWindow(ScanWindowServices services, SharedState& state, ReviewDialog& dialog) noexcept;

  enum class LoadOutcome {
    AnotherInstanceRuns,  // nothing shown, at most the red status written: end the process
    BadArguments,         // nothing read or written: end the process
    WaitingForUser,       // interactive: the window is shown
    StartupScanDone,      // the scan window is gone; the dialog may still be open
    Watching,             // /watch: the window stays loaded, hidden, until EndWatch
  };
  // The load step. Runs once per process.
  [[nodiscard]] LoadOutcome Form_Load();

  [[nodiscard]] bool IsLoaded() const noexcept { return form_ && form_->IsLoaded(); }
  // Whether the command line asked for a start-up scan (known after the load step).
  [[nodiscard]] bool StartupScan() const noexcept { return startupScan_; }

  // Watch mode: a Compare of these entries only, finished as every scan is;
  // `review` sees the rows and the flagged count just before the finish.
  using RowReview = std::function<void(ChangeList& rows, std::int16_t& foundCount)>;
  void WatchScan(const std::vector<WatchEntry>& entries, const RowReview& review);
  // Unloads the hidden window, which ends the process once no dialog is open.
  void EndWatch();

  // ScanProgress: ProgressBar1.
  void SetMaximum(int maximum) override;
  void SetPosition(int position) override;

 private:
  enum class FinishMode { Interactive, Startup, Watch };

  void CreateControls();
  void BrixButton1_Click();
  void BrixButton2_Click();
  void RunScan(const std::wstring& scanType);
  void ScanFinish(FinishMode mode, const std::wstring& scanType);
  // Where the report goes: the command line's report= word, else the host
  // key's "Tavrel Report", else (interactive runs) the default file.
  void ChooseReportPath(const CommandLine& commandLine);

  ScanWindowServices services_;
  SharedState& state_;
  ReviewDialog& dialog_;

  std::wstring HostKey;
  bool startupScan_ = false;
  bool watchListRead_ = true;
  std::unique_ptr<InstanceGuard> instanceGuard_;
  // Set when a scan starts and never cleared: a process scans at most once
  // (the watcher's scans go by WatchScan), and clicks that arrive while it runs (at the finish's one pump) are dropped.
  bool scanning_ = false;

  // Kept after unloading: a handler may unload the form it runs in.
  std::unique_ptr<Form> form_;
  ComboControl* combo_ = nullptr;
  ProgressControl* progress_ = nullptr;
};

}  // namespace tavrel
