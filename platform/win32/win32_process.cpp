#include "platform/win32/win32_process.h"

#include <windows.h>

#include <utility>

#include "platform/win32/unique_handle.h"

namespace tavrel {
namespace {

class MutexGuard final : public InstanceGuard {
 public:
  explicit MutexGuard(UniqueWinHandle mutex) noexcept : mutex_(std::move(mutex)) {}

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

std::unique_ptr<InstanceGuard> Win32InstanceLock::TryAcquire() {
  // Not owned initially: the mutex only marks presence, nobody waits on it.
  // Creation that fails (for instance because another user's process holds
  // the name with other rights) also means someone is there.
  UniqueWinHandle mutex(CreateMutexW(nullptr, FALSE, (L"Local\\" + name_).c_str()));
  if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) return nullptr;
  return std::make_unique<MutexGuard>(std::move(mutex));
}

}  // namespace tavrel
