// tavrel.exe: wires the real backends to the program and runs it.
#include <windows.h>

#include "app/program.h"
#include "gradient_button/win32/gradient_button_window.h"
#include "platform/system.h"
#include "registry/win32/advapi_registry.h"
#include "ui/win32/win32_toolkit.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    const auto process = tavrel::MakeSystemProcess(0, nullptr);
    const auto instanceLock = tavrel::MakeSystemInstanceLock();
    const auto files = tavrel::MakeSystemFileSystem();
    const auto clock = tavrel::MakeSystemClock();
    const auto sound = tavrel::MakeSystemSoundPlayer();
    const auto eventLog = tavrel::MakeSystemEventLog();
    tavrel::AdvapiRegistry registry;
    tavrel::Win32Toolkit toolkit(L"Tavrel", tavrel::MakeGradientButton);
    tavrel::Program program({*process, *instanceLock, *files, *clock, *sound, *eventLog, registry, toolkit});
    return program.Run();
  } catch (...) {
    return 1;  // out of memory while starting: nothing was changed
  }
}
