#pragma once
#include <string>
#include <vector>

#include "watch/tray_icon.h"

namespace tavrel {

// The native build's icon: it keeps what it was told.
class RecordingTrayIcon final : public TrayIcon {
 public:
  struct Balloon {
    BalloonKind kind;
    std::wstring title, text;
  };
  void Show() override { shown = true; }
  void Remove() override { shown = false; }
  void SetTooltip(const std::wstring& text) override { tooltip = text; }
  void ShowBalloon(BalloonKind kind, const std::wstring& title, const std::wstring& text) override {
    balloons.push_back({kind, title, text});
  }
  void SetPaused(bool isPaused) override { paused = isPaused; }

  bool shown = false, paused = false;
  std::wstring tooltip;
  std::vector<Balloon> balloons;
};

}  // namespace tavrel
