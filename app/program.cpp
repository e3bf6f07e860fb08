#include "app/program.h"

#include "report/exit_codes.h"
#include "watch/backup_digest.h"

namespace tavrel {
namespace {

// The one text the program shows besides "Scan Complete", for "/?".
constexpr wchar_t kUsageText[] =
    L"tavrel.exe [/scannow key=<host key> [report=<file>] | /watch]\n\n"
    L"/scannow (or silentscan) runs one Compare for the program named by the host key "
    L"(below HKEY_CURRENT_USER) and writes its outcome there; report= appends one JSON line "
    L"per finding and a summary to the file. /watch stays in the notification area and compares "
    L"a watched key as soon as it changes.\n\n"
    L"Exit codes: 0 nothing found; 1 findings, all kept; 2 something undone, or a flagged value "
    L"present; 3 a write failed; 4 the watch list could not be read; 5 bad arguments; "
    L"6 another Tavrel held on. Without /scannow: 0, or 3 or 4.";

}  // namespace

Program::Program(ProgramServices services, WatchServices* watch)
    : services_(services),
      registry_(services.registryApi),
      userWatchList_(services.files, services.clock, services.process.ProgramFolder()),
      report_({services.files, services.clock, services.process, services.eventLog,
               [this] { return BackupsJson(BackupDigests(registry_, watchList_)); }}),
      dialog_(services.toolkit, registry_, userWatchList_, state_, &report_),
      scanWindow_({services.toolkit, registry_, watchList_, services.files, services.process, services.instanceLock,
                   services.sound, services.clock, report_},
                  state_, dialog_),
      watch_(watch) {}

bool Program::Start(int& exitCode) {
  exitCode = kExitClean;
  if (services_.process.ArgumentText().starts_with(L"/?")) {
    services_.toolkit.ShowMessageBox(kUsageText);
    return false;
  }
  switch (scanWindow_.Form_Load()) {
    case ScanWindow::LoadOutcome::AnotherInstanceRuns:
      // Started by hand, a second Tavrel ends silently; a host learns why.
      if (scanWindow_.StartupScan()) exitCode = kExitAnotherInstanceRuns;
      return false;
    case ScanWindow::LoadOutcome::BadArguments:
      exitCode = kExitBadArguments;
      return false;
    case ScanWindow::LoadOutcome::Watching:
      return StartWatching();
    default:
      return true;
  }
}

bool Program::StartWatching() {
  if (!watch_) {
    scanWindow_.EndWatch();
    return false;
  }
  watcher_.emplace(
      WatcherParts{scanWindow_, dialog_, registry_, watchList_, state_, services_.clock, report_, *watch_});
  watcher_->Start();
  return true;
}

int Program::Run() {
  int exitCode = kExitClean;
  if (!Start(exitCode)) return exitCode;
  (void)services_.toolkit.RunEventLoop();
  return report_.ExitCode();
}

}  // namespace tavrel
