#pragma once
// The button's picture area as a child window of the button: its background
// colour, its image at the top-left, and its mouse messages handed back to
// the button.
#include <windows.h>

#include "ui/win32/window.h"

namespace tavrel {

class GradientButtonWindow;

class PictureAreaWindow final : public Window<PictureAreaWindow> {
 public:
  static constexpr wchar_t kClassName[] = L"TavrelGradientButtonPicture";

  explicit PictureAreaWindow(GradientButtonWindow& owner) noexcept : owner_(owner) {}
  ~PictureAreaWindow() { DestroyHandle(); }

  [[nodiscard]] bool Create(HWND parent) noexcept;
  static void CustomizeClass(WNDCLASSEXW& window_class) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Paint(HDC dc) const;

  GradientButtonWindow& owner_;
};

}  // namespace tavrel
