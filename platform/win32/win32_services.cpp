// The Win32 backend's clock, sound and factories (the event log's is in win32_event_log.cpp).
#include <windows.h>
#include <mmsystem.h>

#include "platform/system.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_process.h"

namespace tavrel {
namespace {

class Win32Clock final : public Clock {
 public:
  [[nodiscard]] LocalTime Now() const override {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
  }
  [[nodiscard]] LocalTime UtcNow() const override {
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    return {utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond};
  }
};

class Win32SoundPlayer final : public SoundPlayer {
 public:
  // Asynchronous only (flag 1): a missing file may play the system's default
  // sound instead, which still tells the user something was found.
  void PlayAsync(const std::wstring& path) override { sndPlaySoundW(path.c_str(), SND_ASYNC); }
};

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() { return std::make_unique<Win32FileSystem>(); }
std::unique_ptr<Clock> MakeSystemClock() { return std::make_unique<Win32Clock>(); }
std::unique_ptr<Process> MakeSystemProcess(int /*argc*/, const char* const* /*argv*/) {
  return std::make_unique<Win32Process>();
}
std::unique_ptr<InstanceLock> MakeSystemInstanceLock(const std::wstring& name) {
  return std::make_unique<Win32InstanceLock>(name);
}
std::unique_ptr<SoundPlayer> MakeSystemSoundPlayer() { return std::make_unique<Win32SoundPlayer>(); }

}  // namespace tavrel
