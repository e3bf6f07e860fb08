#pragma once
// The program context: one per process. It owns the watch list, the registry
// layer, the user watch-list writer, the state both windows share and both
// windows, and gets every seam by reference. The Windows entry wires it
// to the real backends; tests wire it to the headless and in-memory ones.
#include <optional>

#include "platform/clock.h"
#include "platform/event_log.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/sound.h"
#include "registry/registry.h"
#include "registry/registry_api.h"
#include "report/scan_report.h"
#include "review/review_dialog.h"
#include "review/shared_state.h"
#include "scan/scan_window.h"
#include "ui/toolkit.h"
#include "watch/watcher.h"
#include "watchlist/user_watch_list.h"
#include "watchlist/watch_list.h"

namespace tavrel {

struct ProgramServices {
  Process& process;
  InstanceLock& instanceLock;
  FileSystem& files;
  const Clock& clock;
  SoundPlayer& sound;
  EventLog& eventLog;
  RegistryApi& registryApi;
  Toolkit& toolkit;
};

class Program {
 public:
  // With watch services, "/watch" runs the resident watcher; without, it ends at once.
  explicit Program(ProgramServices services, WatchServices* watch = nullptr);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Creates the scan window first and runs its load step; false when the
  // process must end at once (another instance holds on, after a start-up
  // scan's wait; bad arguments; the usage text shown), with exitCode set.
  [[nodiscard]] bool Start(int& exitCode);
  // Start, then the event loop until the last window has closed; answers the
  // process's exit code.
  [[nodiscard]] int Run();

 private:
  // /watch: the watcher takes over; false (the process ends) without watch services.
  [[nodiscard]] bool StartWatching();

  ProgramServices services_;
  Registry registry_;
  WatchList watchList_;
  UserWatchListWriter userWatchList_;
  SharedState state_;
  ScanReport report_;
  ReviewDialog dialog_;
  ScanWindow scanWindow_;
  WatchServices* watch_;
  std::optional<Watcher> watcher_;
};

}  // namespace tavrel
