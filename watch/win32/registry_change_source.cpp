#include "watch/win32/registry_change_source.h"

#include <utility>

namespace tavrel {
namespace {

constexpr UINT kChangedMessage = WM_APP + 1;
constexpr UINT_PTR kTimerId = 1;
constexpr DWORD kKeyFilter = REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_NAME;
constexpr DWORD kParentFilter = REG_NOTIFY_CHANGE_NAME;

// A predefined root travels as its 32-bit number and is widened as the system headers do.
HKEY ToHkey(RootHandle root) noexcept {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}

std::wstring ParentOf(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L'\\');
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

}  // namespace

// One open key, its event and the pool's wait on it. The wait is gone (and its
// callback finished) before the event and the key are closed.
class RegistryChangeSource::Notification {
 public:
  Notification(HKEY key, std::wstring path, DWORD filter, HWND window, UINT_PTR id) noexcept
      : key_(key), path_(std::move(path)), filter_(filter), window_(window), id_(id) {}
  ~Notification() {
    if (wait_) UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
    if (event_) CloseHandle(event_);
    RegCloseKey(key_);
  }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  [[nodiscard]] bool Start() noexcept {
    event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    return event_ && Arm() &&
           RegisterWaitForSingleObject(&wait_, event_, &Signalled, this, INFINITE, WT_EXECUTEINWAITTHREAD);
  }
  // A notification fires once: armed again after each.
  bool Arm() noexcept { return RegNotifyChangeKeyValue(key_, FALSE, filter_, event_, TRUE) == ERROR_SUCCESS; }
  [[nodiscard]] bool Deleted() const noexcept {
    return RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_KEY_DELETED;
  }
  [[nodiscard]] const std::wstring& Path() const noexcept { return path_; }
  [[nodiscard]] UINT_PTR Id() const noexcept { return id_; }

 private:
  // On a pool thread: only a message to the GUI thread.
  static void CALLBACK Signalled(void* context, BOOLEAN) noexcept {
    const auto* self = static_cast<const Notification*>(context);
    PostMessageW(self->window_, kChangedMessage, self->id_, 0);
  }

  HKEY key_;
  std::wstring path_;
  DWORD filter_;
  HWND window_;
  UINT_PTR id_;
  HANDLE event_ = nullptr;
  HANDLE wait_ = nullptr;
};

RegistryChangeSource::RegistryChangeSource() { (void)CreateHandle(0, 0, L"", HWND_MESSAGE); }

RegistryChangeSource::~RegistryChangeSource() {
  watched_.clear();
  DestroyHandle();
}

void RegistryChangeSource::Watch(const std::vector<WatchTarget>& targets) {
  watched_.clear();
  for (const WatchTarget& target : targets) {
    Watched watched{target, nullptr, nullptr};
    Refresh(watched);
    watched_.push_back(std::move(watched));
  }
}

void RegistryChangeSource::StartTimer(std::chrono::milliseconds delay) {
  SetTimer(Handle(), kTimerId, static_cast<UINT>(delay.count()), nullptr);
}

std::chrono::milliseconds RegistryChangeSource::Now() const {
  return std::chrono::milliseconds(static_cast<long long>(GetTickCount64()));
}

std::unique_ptr<RegistryChangeSource::Notification> RegistryChangeSource::Notify(RootHandle root,
                                                                                 const std::wstring& path,
                                                                                 DWORD filter) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(ToHkey(root), path.c_str(), 0, KEY_NOTIFY | KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  auto notification = std::make_unique<Notification>(key, path, filter, Handle(), nextId_++);
  if (!notification->Start()) return {};
  return notification;
}

void RegistryChangeSource::Refresh(Watched& watched) {
  const WatchTarget& target = watched.target;
  if (watched.key && watched.key->Deleted()) watched.key.reset();
  if (!watched.key) watched.key = Notify(target.root, target.keyPath, kKeyFilter);
  if (target.keyPath.empty()) return;
  // The nearest parent that exists: a key made below it notifies, and the next refresh comes one key closer.
  for (std::wstring path = ParentOf(target.keyPath);; path = ParentOf(path)) {
    if (watched.parent && watched.parent->Path() == path && !watched.parent->Deleted()) return;
    if (auto parent = Notify(target.root, path, kParentFilter)) {
      watched.parent = std::move(parent);
      return;
    }
    if (path.empty()) return;
  }
}

LRESULT RegistryChangeSource::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    KillTimer(Handle(), kTimerId);
    if (OnTimer) OnTimer();
    return 0;
  }
  if (message != kChangedMessage) return DefaultProc(message, wParam, lParam);
  for (std::size_t i = 0; i < watched_.size(); ++i) {
    Watched& watched = watched_[i];
    Notification* fired = watched.key && watched.key->Id() == wParam         ? watched.key.get()
                          : watched.parent && watched.parent->Id() == wParam ? watched.parent.get()
                                                                             : nullptr;
    if (!fired) continue;
    fired->Arm();
    Refresh(watched);
    if (OnChange) OnChange(i);
    return 0;
  }
  return 0;  // from a notification dropped since
}

}  // namespace tavrel
