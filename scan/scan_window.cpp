#include "scan/scan_window.h"

#include "scan/change_rows.h"
#include "scan/found_count.h"
#include "scan/scan_driver.h"
#include "scan/status_report.h"

namespace tavrel {
namespace {

constexpr TwipsRect kProgressBarRect{120, 2160, 3735, 375};
// The scan grows the window to show the progress bar, which starts below the
// bottom of the client area: its bottom edge plus 600 twips.
constexpr int kScanningOuterHeight = kProgressBarRect.top + kProgressBarRect.height + 600;
// Where interactive scans report when nothing else is said, below the user's
// local application-data folder.
constexpr wchar_t kDefaultReportFile[] = L"\\Tavrel\\tavrel-report.jsonl";
// Long enough for an instance that is ending to let go.
constexpr std::chrono::seconds kStartupInstanceWait{5};

}  // namespace

ScanWindow::ScanWindow(ScanWindowServices services, SharedState& state, ReviewDialog& dialog) noexcept
    : services_(services), state_(state), dialog_(dialog) {}

ScanWindow::LoadOutcome ScanWindow::Form_Load() {
  const CommandLine commandLine = ParseCommandLine(services_.process.ArgumentText());
  startupScan_ = commandLine.startupScan;
  if (commandLine.badArguments) return LoadOutcome::BadArguments;
  instanceGuard_ =
      services_.instanceLock.TryAcquire(commandLine.startupScan ? kStartupInstanceWait : std::chrono::milliseconds(0));
  if (!instanceGuard_) {
    // Whoever holds the instance must not make a start-up scan that never ran
    // pass for a clean one: the host sees red, its other values stay as they are.
    if (commandLine.startupScan) {
      const StatusTarget target = StartupStatusTarget(commandLine.hostKey);
      (void)services_.registry.WriteStringValue(kCurrentUser, target.key, target.statusName, kStatusFlagged);
    }
    return LoadOutcome::AnotherInstanceRuns;
  }

  CreateControls();
  HostKey = commandLine.hostKey;
  state_.AutoRepair = SettingValue(services_.registry.ReadStringValue(kCurrentUser, HostKey, L"AutoRepair", L"1"), 1);
  ChooseReportPath(commandLine);
  watchListRead_ = services_.watchList.LoadWatchList(services_.files, services_.process.ProgramFolder());

  if (AsksForWatch(services_.process.ArgumentText())) {
    form_->Hide();
    return LoadOutcome::Watching;
  }
  if (!commandLine.startupScan) {
    form_->Show();
    return LoadOutcome::WaitingForUser;
  }
  state_.tavrelsilent =
      SettingValue(services_.registry.ReadStringValue(kCurrentUser, HostKey, L"Tavrel Silent Mode", L"1"), 1);
  form_->Hide();
  (void)dialog_.LoadHidden();
  scanning_ = true;
  RunScan(kScanCompare);
  ScanFinish(FinishMode::Startup, kScanCompare);
  return LoadOutcome::StartupScanDone;
}

void ScanWindow::ChooseReportPath(const CommandLine& commandLine) {
  ScanOutcomeSink& report = services_.report;
  if (commandLine.reportPath) return report.SetReportPath(commandLine.reportPath, false);
  const std::wstring path = services_.registry.ReadStringValue(kCurrentUser, HostKey, L"Tavrel Report", L"");
  if (!path.empty()) return report.SetReportPath(path, false);
  const std::wstring localData = services_.process.LocalAppDataFolder();
  if (!commandLine.startupScan && !localData.empty()) report.SetReportPath(localData + kDefaultReportFile, true);
}

void ScanWindow::CreateControls() {
  form_ = services_.toolkit.CreateForm({.caption = kScanWindowTitle, .clientWidth = 3975, .clientHeight = 2100});
  Form& form = *form_;
  form.AddDecoration({240, 240, 240, 240}, Decoration::ProgramIcon);  // Image1
  // Created in tab order: Combo1, Text1, Label1, ProgressBar1, the two buttons.
  combo_ = &form.AddCombo({.rect = {1680, 840, 1935, 315},
                           .font = kArial825,
                           .text = L"Compare",
                           .items = {L"Backup", L"Restore", L"Compare"}});
  form.AddLabel({600, 240, 3255, 255}, kArial12Bold, L"Brix Tavrel");  // Text1
  form.AddLabel({240, 840, 1695, 255}, kArial12Bold, L"Scan Type:");   // Label1
  progress_ = &form.AddProgressBar(kProgressBarRect);
  ButtonControl& scanNow = form.AddPushButton({{600, 1440, 1215, 495}, kArial825Bold, L"Scan Now"});
  ButtonControl& close = form.AddPushButton({{2040, 1440, 1215, 495}, kArial825Bold, L"Close"});
  progress_->SetMaximum(100);

  scanNow.OnClick = [this] { BrixButton1_Click(); };
  close.OnClick = [this] { BrixButton2_Click(); };
  form.OnFrameClose = [this] { BrixButton2_Click(); };
}

void ScanWindow::SetMaximum(int maximum) {
  if (progress_) progress_->SetMaximum(maximum);
}

void ScanWindow::SetPosition(int position) {
  if (progress_) progress_->SetPosition(position);
}

void ScanWindow::BrixButton1_Click() {
  if (scanning_ || !IsLoaded()) return;
  scanning_ = true;
  combo_->SetLocked(true);
  form_->SetOuterHeight(kScanningOuterHeight);
  const std::wstring scanType = combo_->Text();
  RunScan(scanType);
  ScanFinish(FinishMode::Interactive, scanType);
}

void ScanWindow::BrixButton2_Click() {
  if (scanning_ || !IsLoaded()) return;
  form_->Unload();
}

void ScanWindow::RunScan(const std::wstring& scanType) {
  ChangeRowBuilder rows(services_.watchList, dialog_);
  ScanDriver driver(services_.registry, services_.watchList, rows, *this);
  driver.ScanWatchList(scanType);
}

void ScanWindow::ScanFinish(FinishMode mode, const std::wstring& scanType) {
  const bool interactive = mode == FinishMode::Interactive;
  const std::size_t rowCount = dialog_.LoadHidden().Count();
  const std::int16_t foundCount = services_.watchList.FoundCount;
  // The scan is done when the dialog unloads: at once, or after the user.
  services_.report.ScanEnded(mode == FinishMode::Watch ? kModeWatch
                             : interactive             ? kModeInteractive
                                                       : kModeStartup,
                             scanType, foundCount, watchListRead_);

  if (rowCount == 0) {
    dialog_.Unload();
    if (interactive) services_.toolkit.ShowMessageBox(kScanCompleteText);
  } else if (foundCount >= 0 && static_cast<std::size_t>(foundCount) == rowCount) {
    dialog_.BrixButton1_Click(Decision::Automatic);
    if (interactive) services_.toolkit.ShowMessageBox(kScanCompleteText);
  } else {
    if (state_.tavrelsilent == 0) services_.sound.PlayAsync(services_.process.ProgramFolder() + kAlertFileName);
    state_.dtimer = kCountDownSeconds;
    services_.toolkit.PumpPendingEvents();
    dialog_.EnableTimer();
    if (state_.tavrelsilent != 1) {
      dialog_.Show();
    } else {
      dialog_.BrixButton1_Click(Decision::Silent);
    }
  }

  WriteScanStatus(services_.registry, services_.clock,
                  mode == FinishMode::Startup ? StartupStatusTarget(HostKey) : InteractiveStatusTarget(), foundCount);
  if (mode != FinishMode::Watch) form_->Unload();
}

void ScanWindow::WatchScan(const std::vector<WatchEntry>& entries, const RowReview& review) {
  if (!IsLoaded()) return;
  WatchList affected;
  affected.WatchEntries = entries;
  services_.watchList.FoundCount = 0;
  // Rows are flagged by the whole list's value names; the affected list only says what to read.
  ChangeRowBuilder rows(services_.watchList, dialog_);
  ScanDriver driver(services_.registry, affected, rows, *this);
  driver.ScanWatchList(kScanCompare);
  for (std::int16_t i = 0; i < affected.FoundCount; ++i) CountFinding(services_.watchList.FoundCount);
  if (review) review(dialog_.LoadHidden(), services_.watchList.FoundCount);
  ScanFinish(FinishMode::Watch, kScanCompare);
}

void ScanWindow::EndWatch() {
  if (IsLoaded()) form_->Unload();
}

}  // namespace tavrel
