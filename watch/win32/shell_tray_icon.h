#pragma once
// The watcher's icon in the notification area (Shell_NotifyIconW), owned by a
// hidden top-level window: the shell's TaskbarCreated broadcast, sent when
// Explorer starts again, reaches only top-level windows.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "ui/win32/window.h"
#include "watch/tray_icon.h"

namespace tavrel {

class ShellTrayIcon final : public TrayIcon, public Window<ShellTrayIcon> {
 public:
  static constexpr wchar_t kClassName[] = L"TavrelTray";
  static void CustomizeClass(WNDCLASSEXW&) noexcept {}

  ShellTrayIcon();
  ~ShellTrayIcon() override;

  void Show() override;
  void Remove() override;
  void SetTooltip(const std::wstring& text) override;
  void ShowBalloon(BalloonKind kind, const std::wstring& title, const std::wstring& text) override;
  void SetPaused(bool paused) override { paused_ = paused; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  [[nodiscard]] NOTIFYICONDATAW Data(UINT flags) const;
  void ShowMenu();
  void Run(UINT_PTR item);

  UINT taskbarCreated_ = 0;
  std::wstring tooltip_ = L"Tavrel";
  bool shown_ = false;
  bool paused_ = false;
};

}  // namespace tavrel
