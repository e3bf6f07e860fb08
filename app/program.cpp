#include "app/program.h"

namespace tavrel {

Program::Program(ProgramServices services, WatchServices* watch)
    : services_(services),
      registry_(services.registryApi),
      userWatchList_(services.files, services.clock, services.process.ProgramFolder()),
      dialog_(services.toolkit, registry_, userWatchList_, state_),
      scanWindow_({services.toolkit, registry_, watchList_, services.files, services.process, services.instanceLock,
                   services.sound, services.clock},
                  state_, dialog_),
      watch_(watch) {}

bool Program::Start() {
  const ScanWindow::LoadOutcome outcome = scanWindow_.Form_Load();
  if (outcome != ScanWindow::LoadOutcome::Watching) return outcome != ScanWindow::LoadOutcome::AnotherInstanceRuns;
  if (!watch_) {
    scanWindow_.EndWatch();
    return false;
  }
  watcher_.emplace(
      WatcherParts{scanWindow_, dialog_, registry_, watchList_, state_, services_.clock, services_.eventLog, *watch_});
  watcher_->Start();
  return true;
}

int Program::Run() {
  if (!Start()) return 0;
  return services_.toolkit.RunEventLoop();
}

}  // namespace tavrel
