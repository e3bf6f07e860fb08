#pragma once
// The real platform services, made by whichever backend the build links
// (tavrel_platform_win32 or tavrel_platform_posix, both behind the CMake
// target tavrel_platform_backend). Only the process entry and tests call these.
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/event_log.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/sound.h"

namespace tavrel {

// The name that keeps a second Tavrel from running beside the first.
inline constexpr wchar_t kInstanceName[] = L"Tavrel.RegistryGuard.Instance";

[[nodiscard]] std::unique_ptr<FileSystem> MakeSystemFileSystem();
[[nodiscard]] std::unique_ptr<Clock> MakeSystemClock();
// On Windows argc and argv are not used: the argument text comes from
// GetCommandLineW, exactly as typed. Elsewhere it is argv[1..] joined by spaces.
[[nodiscard]] std::unique_ptr<Process> MakeSystemProcess(int argc, const char* const* argv);
// Processes that use the same name exclude each other.
[[nodiscard]] std::unique_ptr<InstanceLock> MakeSystemInstanceLock(const std::wstring& name = kInstanceName);
[[nodiscard]] std::unique_ptr<SoundPlayer> MakeSystemSoundPlayer();
[[nodiscard]] std::unique_ptr<EventLog> MakeSystemEventLog();

}  // namespace tavrel
