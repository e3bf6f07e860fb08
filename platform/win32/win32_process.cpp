#include "platform/win32/win32_process.h"

#include <windows.h>
// After windows.h: ConvertSidToStringSidW.
#include <sddl.h>

#include <utility>
#include <vector>

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

std::wstring Win32Process::LocalAppDataFolder() const {
  std::wstring folder(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", folder.data(), static_cast<DWORD>(folder.size()));
    if (length == 0) return {};
    if (length < folder.size()) {
      folder.resize(length);
      break;
    }
    folder.resize(length);  // too small: length is the size it needs
  }
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return folder;
}

std::wstring Win32Process::ComputerName() const {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
}

std::wstring Win32Process::UserId() const {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  const UniqueWinHandle owned(token);
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  wchar_t* text = nullptr;
  if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size) ||
      !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
    return {};
  }
  std::wstring sid(text);
  LocalFree(text);
  return sid;
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
