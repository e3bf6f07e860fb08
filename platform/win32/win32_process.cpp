#include "platform/win32/win32_process.h"

#include <windows.h>

#include <utility>

#include "platform/win32/unique_handle.h"

namespace tavrel {
namespace {

class MutexGuard final : public InstanceGuard {
 public:
  explicit MutexGuard(UniqueWinHandle mutex) noexcept : mutex_(std::move(mutex)) {}
  ~MutexGuard() override { ReleaseMutex(mutex_.Get()); }
  MutexGuard(const MutexGuard&) = delete;
  MutexGuard& operator=(const MutexGuard&) = delete;

 private:
  UniqueWinHandle mutex_;
};

}  // namespace

std::wstring Win32Process::ArgumentText() const {
  const wchar_t* commandLine = GetCommandLineW();
  return commandLine == nullptr ? std::wstring() : std::wstring(ArgumentsAfterProgramName(commandLine));
}

std::wstring Win32Process::ProgramFolder() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // truncated: try a bigger buffer
  }
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

Win32InstanceLock::Win32InstanceLock(std::wstring name) : name_(std::move(name)) {}

std::unique_ptr<InstanceGuard> Win32InstanceLock::TryAcquire(std::chrono::milliseconds wait) {
  // Creation fails when the name belongs to another kind of object or to
  // someone we may not open: someone is there.
  UniqueWinHandle mutex(CreateMutexW(nullptr, FALSE, (L"Local\\" + name_).c_str()));
  if (!mutex) return nullptr;
  // Abandoned: the holder ended without letting go, and the mutex is ours now.
  const DWORD result = WaitForSingleObject(mutex.Get(), static_cast<DWORD>(wait.count()));
  if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED) return nullptr;
  return std::make_unique<MutexGuard>(std::move(mutex));
}

}  // namespace tavrel
