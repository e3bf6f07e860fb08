#pragma once
// What /watch needs of Windows, made only for a watcher: the other runs open no
// window of their own for it.
#include "watch/win32/registry_change_source.h"
#include "watch/win32/shell_tray_icon.h"

namespace tavrel {

struct Win32Watch {
  RegistryChangeSource changes;
  ShellTrayIcon tray;
  WatchServices services{changes, tray};
};

}  // namespace tavrel
