#pragma once
// The gradient button as a real child window: it owns the button, paints it
// through a GDI surface, turns the window's focus, mouse and key messages into
// the button's notices, and mirrors its picture area as a child window.
#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "gradient_button/brix_button.h"
#include "gradient_button/button_control_adapter.h"
#include "gradient_button/button_host.h"
#include "gradient_button/button_settings.h"
#include "ui/win32/gdi_surface.h"
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/window.h"

namespace tavrel {

class PictureAreaWindow;

class GradientButtonWindow final : public Window<GradientButtonWindow>, public Win32OwnedButton, private ButtonHost {
 public:
  static constexpr wchar_t kClassName[] = L"TavrelGradientButton";

  // Use CreateGradientButton.
  GradientButtonWindow(const ButtonSettings& settings, int dpi);
  ~GradientButtonWindow() override;

  // The button as window logic sees it (caption, click, mouse press).
  [[nodiscard]] ButtonControl& Control() noexcept override { return control_; }
  // The whole control: properties, persistence, handlers.
  [[nodiscard]] BrixButton& Button() noexcept { return button_; }
  [[nodiscard]] const BrixButton& Button() const noexcept { return button_; }

  // Every container notice (a property changed), for whoever keeps the
  // form's saved copy.
  std::function<void(std::wstring_view persisted_name)> OnPropertyChanged;

  static void CustomizeClass(WNDCLASSEXW& window_class) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend std::unique_ptr<GradientButtonWindow> CreateGradientButton(HWND, int, const ButtonSettings&);
  friend class PictureAreaWindow;
  [[nodiscard]] bool Create(HWND parent, int id, const ButtonSettings& settings);

  // ButtonHost
  void PropertyChanged(std::wstring_view persisted_name) override;
  [[nodiscard]] SurfaceFont AmbientFont() const override { return ambient_font_; }
  [[nodiscard]] Colour AmbientBackColor() const override { return ambient_back_color_; }
  void RefreshSurface() override;
  void PictureAreaChanged() override;
  void RefreshPictureArea() override;

  // Mouse messages reach the button from its own window or from its
  // picture area's, each in its own coordinates.
  enum class Source { kSurface, kPicture };
  void OnPaint();
  void OnMouse(Source source, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCaptureLost(Source source);
  void OnKey(UINT message, WPARAM wParam);
  void MouseNotice(Source source, UINT message, std::int16_t mouse_button, std::int16_t shift, float x, float y);
  [[nodiscard]] float ToTwips(int pixels) const noexcept;

  // Turned false when the object goes, so that a message handler whose
  // event closed the form touches nothing afterwards.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  SurfaceFont ambient_font_;
  Colour ambient_back_color_;
  GdiSurface surface_;
  BrixButton button_;
  BrixButtonControl control_;
  std::unique_ptr<PictureAreaWindow> picture_;
  bool buffer_fresh_ = false;  // the back buffer holds a pass not yet shown
  bool in_paint_ = false;
  // The press being tracked: which mouse button (0: none), on which window,
  // whether it was the second press of a double click, where the mouse was.
  std::int16_t pressed_with_ = 0;
  Source pressed_on_ = Source::kSurface;
  bool press_is_double_ = false;
  bool releasing_capture_ = false;
  POINT last_mouse_{0, 0};
  bool setting_text_ = false;
};

// Creates the button as a child of `parent` at the settings' placement (twips
// in the parent's client area), restores its properties from the settings'
// bag and shows it. Nothing when the window cannot be made.
[[nodiscard]] std::unique_ptr<GradientButtonWindow> CreateGradientButton(HWND parent, int id,
                                                                         const ButtonSettings& settings);

// The toolkit's maker of gradient buttons (see GradientButtonMaker).
[[nodiscard]] std::unique_ptr<Win32OwnedButton> MakeGradientButton(HWND parent, int id,
                                                                   const GradientButtonSpec& layout);

}  // namespace tavrel
