#pragma once
// The watcher's icon in the notification area: what it tells the user and
// the commands of its menu. Open report is the backend's own business.
#include <functional>
#include <string>

namespace tavrel {

enum class TrayCommand { ScanNow, PauseResume, Exit };
enum class BalloonKind { Info, Warning, Error };

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual void Show() = 0;
  virtual void Remove() = 0;
  virtual void SetTooltip(const std::wstring& text) = 0;
  virtual void ShowBalloon(BalloonKind kind, const std::wstring& title, const std::wstring& text) = 0;
  // The menu offers Resume instead of Pause.
  virtual void SetPaused(bool paused) = 0;

  std::function<void(TrayCommand)> OnCommand;
  // What Open report opens; nothing when empty.
  std::wstring reportPath;
};

struct WatchServices {
  class ChangeSource& changes;
  TrayIcon& tray;
};

}  // namespace tavrel
