// The Application log backend and the registration of its event source.
#include "platform/win32/win32_event_log.h"

#include <windows.h>

#include <string>

#include "platform/system.h"
#include "platform/win32/unique_handle.h"

namespace tavrel {
namespace {

static_assert(static_cast<WORD>(EventType::Error) == EVENTLOG_ERROR_TYPE);
static_assert(static_cast<WORD>(EventType::Warning) == EVENTLOG_WARNING_TYPE);
static_assert(static_cast<WORD>(EventType::Information) == EVENTLOG_INFORMATION_TYPE);

struct EventSourceTraits {
  static HANDLE Invalid() noexcept { return nullptr; }
  static void Close(HANDLE source) noexcept { DeregisterEventSource(source); }
};

struct KeyTraits {
  static HKEY Invalid() noexcept { return nullptr; }
  static void Close(HKEY key) noexcept { RegCloseKey(key); }
};

// An unregistered source is still accepted: the record then holds its
// insertion string without the message text around it.
class Win32EventLog final : public EventLog {
 public:
  void Record(ScanEventKind kind, const std::wstring& summaryJson) noexcept override {
    const UniqueHandle<EventSourceTraits> source(RegisterEventSourceW(nullptr, kEventSourceName));
    if (!source) return;
    const EventClass event = ClassifyScanEvent(kind);
    const wchar_t* strings[] = {summaryJson.c_str()};
    ReportEventW(source.Get(), static_cast<WORD>(event.type), 0, event.id, nullptr, 1, 0, strings, nullptr);
  }
};

constexpr wchar_t kSourceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Tavrel";

// The full path of this executable, however long.
std::wstring OwnPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

bool Register() {
  const std::wstring path = OwnPath();
  if (path.empty()) return false;
  UniqueHandle<KeyTraits> key;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSourceKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr) !=
      ERROR_SUCCESS)
    return false;
  const DWORD types = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;
  return RegSetValueExW(key.Get(), L"EventMessageFile", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                        static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS &&
         RegSetValueExW(key.Get(), L"TypesSupported", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&types),
                        sizeof(types)) == ERROR_SUCCESS;
}

bool Unregister() {
  const LSTATUS status = RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSourceKey);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace

std::unique_ptr<EventLog> MakeSystemEventLog() { return std::make_unique<Win32EventLog>(); }

// An administrator's explicit request, not a write of the guard: it goes to
// advapi32 directly rather than through the registry layer, which refuses
// links, because CurrentControlSet is a system link by design.
int RunEventSourceCommand(EventSourceCommand command) noexcept {
  try {
    const bool done = command == EventSourceCommand::Register     ? Register()
                      : command == EventSourceCommand::Unregister ? Unregister()
                                                                  : false;
    return done ? 0 : 3;
  } catch (...) {
    return 3;  // out of memory: nothing was registered
  }
}

}  // namespace tavrel
