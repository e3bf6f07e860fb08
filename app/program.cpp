#include "app/program.h"

namespace tavrel {

Program::Program(ProgramServices services)
    : services_(services),
      registry_(services.registryApi),
      userWatchList_(services.files, services.clock, services.process.ProgramFolder()),
      dialog_(services.toolkit, registry_, userWatchList_, state_),
      scanWindow_({services.toolkit, registry_, watchList_, services.files, services.process, services.instanceLock,
                   services.sound, services.clock},
                  state_, dialog_) {}

bool Program::Start() { return scanWindow_.Form_Load() != ScanWindow::LoadOutcome::AnotherInstanceRuns; }

int Program::Run() {
  if (!Start()) return 0;
  return services_.toolkit.RunEventLoop();
}

}  // namespace tavrel
