#pragma once
// Registry notifications for the watcher. Each watched key, and its nearest
// existing parent, has a RegNotifyChangeKeyValue whose event a thread-pool
// wait turns into a message to a message-only window: everything after runs on
// the GUI thread, nothing polls, and any number of keys can be watched (the
// pool spreads its waits over as many threads as it needs).
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/win32/window.h"
#include "watch/change_source.h"

namespace tavrel {

class RegistryChangeSource final : public ChangeSource, public Window<RegistryChangeSource> {
 public:
  static constexpr wchar_t kClassName[] = L"TavrelWatch";
  static void CustomizeClass(WNDCLASSEXW&) noexcept {}

  RegistryChangeSource();
  ~RegistryChangeSource() override;

  void Watch(const std::vector<WatchTarget>& targets) override;
  void StartTimer(std::chrono::milliseconds delay) override;
  [[nodiscard]] std::chrono::milliseconds Now() const override;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  class Notification;
  struct Watched {
    WatchTarget target;
    std::unique_ptr<Notification> key, parent;
  };

  // Drops a notification on a deleted key and opens again what exists now.
  void Refresh(Watched& watched);
  [[nodiscard]] std::unique_ptr<Notification> Notify(RootHandle root, const std::wstring& path, DWORD filter);

  std::vector<Watched> watched_;
  UINT_PTR nextId_ = 1;
};

}  // namespace tavrel
