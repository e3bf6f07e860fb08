// tavrel.exe: wires the real backends to the program and runs it.
#include <windows.h>

#include "app/program.h"
#include "gradient_button/win32/gradient_button_window.h"
#include "platform/system.h"
#include "platform/win32/win32_event_log.h"
#include "registry/win32/advapi_registry.h"
#include "scan/command_line.h"
#include "tavrel_messages.h"  // made by windmc from app/resources/tavrel_messages.mc
#include "ui/win32/win32_toolkit.h"
#include "watch/win32/win32_watch.h"

// The records name the messages that the table in this executable holds.
static_assert(tavrel::ClassifyScanEvent(tavrel::ScanEventKind::Clean).id == TAVREL_MSG_CLEAN);
static_assert(tavrel::ClassifyScanEvent(tavrel::ScanEventKind::ChangesKept).id == TAVREL_MSG_CHANGES_KEPT);
static_assert(tavrel::ClassifyScanEvent(tavrel::ScanEventKind::ChangesUndoneOrFlagged).id ==
              TAVREL_MSG_CHANGES_UNDONE_OR_FLAGGED);
static_assert(tavrel::ClassifyScanEvent(tavrel::ScanEventKind::Failure).id == TAVREL_MSG_FAILURE);

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    const auto process = tavrel::MakeSystemProcess(0, nullptr);
    // An administrator's one-off command: no window, no scan.
    if (const auto command = tavrel::ParseEventSourceCommand(process->ArgumentText());
        command != tavrel::EventSourceCommand::None)
      return tavrel::RunEventSourceCommand(command);
    const auto instanceLock = tavrel::MakeSystemInstanceLock();
    const auto files = tavrel::MakeSystemFileSystem();
    const auto clock = tavrel::MakeSystemClock();
    const auto sound = tavrel::MakeSystemSoundPlayer();
    const auto eventLog = tavrel::MakeSystemEventLog();
    tavrel::AdvapiRegistry registry;
    tavrel::Win32Toolkit toolkit(L"Tavrel", tavrel::MakeGradientButton);
    const auto watch = tavrel::AsksForWatch(process->ArgumentText()) ? std::make_unique<tavrel::Win32Watch>() : nullptr;
    tavrel::Program program({*process, *instanceLock, *files, *clock, *sound, *eventLog, registry, toolkit},
                            watch ? &watch->services : nullptr);
    return program.Run();
  } catch (...) {
    return 1;  // out of memory while starting: nothing was changed
  }
}
