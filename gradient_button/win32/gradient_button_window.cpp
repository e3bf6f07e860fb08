#include "gradient_button/win32/gradient_button_window.h"

#include <windowsx.h>

#include <string>

#include "gradient_button/win32/picture_area_window.h"
#include "ui/win32/dpi.h"
#include "ui/win32/win32_util.h"

namespace tavrel {
namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kRightButton = 2;
constexpr std::int16_t kMiddleButton = 4;

// Shift 1, Ctrl 2, Alt 4, as the key and mouse events report them.
std::int16_t ShiftState() noexcept {
  std::int16_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

std::int16_t ButtonsHeld(WPARAM wParam) noexcept {
  std::int16_t held = 0;
  if (wParam & MK_LBUTTON) held |= kLeftButton;
  if (wParam & MK_RBUTTON) held |= kRightButton;
  if (wParam & MK_MBUTTON) held |= kMiddleButton;
  return held;
}

std::int16_t ButtonOf(UINT message) noexcept {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
      return kRightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      return kMiddleButton;
    default:
      return 0;
  }
}

bool IsPress(UINT message) noexcept {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

// BeginPaint and EndPaint as one owner, so a failed pass still ends painting.
class PaintScope {
 public:
  explicit PaintScope(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  [[nodiscard]] HDC Dc() const noexcept { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

bool IsRelease(UINT message) noexcept {
  return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

}  // namespace

GradientButtonWindow::GradientButtonWindow(const ButtonSettings& settings, int dpi)
    : ambient_font_(settings.ambient_font),
      ambient_back_color_(settings.ambient_back_color),
      surface_(dpi),
      button_(surface_, *this),
      control_(button_) {}

GradientButtonWindow::~GradientButtonWindow() {
  *alive_ = false;
  // The window goes first, while every member it may still reach is whole.
  DestroyHandle();
}

void GradientButtonWindow::CustomizeClass(WNDCLASSEXW& window_class) noexcept {
  window_class.style = CS_DBLCLKS;
  window_class.hbrBackground = nullptr;  // every pass paints the whole face
}

bool GradientButtonWindow::Create(HWND parent, int id, const ButtonSettings& settings) {
  if (!CreateHandle(0, WS_CHILD | WS_TABSTOP | WS_CLIPCHILDREN, L"", parent)) return false;
  SetWindowLongPtrW(Handle(), GWLP_ID, id);
  picture_ = std::make_unique<PictureAreaWindow>(*this);
  if (!picture_->Create(Handle())) picture_.reset();

  button_.UserControl_ReadProperties(settings.properties);
  // The restore sets these without container notices; the window follows.
  PropertyChanged(L"Caption");
  PropertyChanged(L"Enabled");

  const int dpi = surface_.Dpi();
  const TwipsRect& at = settings.placement;
  SetWindowPos(Handle(), nullptr, TwipsToPixels(at.left, dpi), TwipsToPixels(at.top, dpi), TwipsToPixels(at.width, dpi),
               TwipsToPixels(at.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  return true;
}

std::unique_ptr<GradientButtonWindow> CreateGradientButton(HWND parent, int id, const ButtonSettings& settings) {
  try {
    auto window = std::make_unique<GradientButtonWindow>(settings, ReadWindowDpi(parent));
    if (!window->Create(parent, id, settings)) return nullptr;
    return window;
  } catch (...) {
    return nullptr;
  }
}

std::unique_ptr<Win32OwnedButton> MakeGradientButton(HWND parent, int id, const GradientButtonSpec& layout) {
  return CreateGradientButton(parent, id, SettingsForGradientButton(layout));
}

float GradientButtonWindow::ToTwips(int pixels) const noexcept { return PixelsToTwips(pixels, surface_.Dpi()); }

void GradientButtonWindow::PropertyChanged(std::wstring_view persisted_name) {
  if (Handle() != nullptr) {
    if (persisted_name == L"Caption") {
      setting_text_ = true;
      SetWindowTextW(Handle(), button_.Caption().c_str());
      setting_text_ = false;
    } else if (persisted_name == L"Enabled") {
      EnableWindow(Handle(), button_.Enabled() ? TRUE : FALSE);
    }
  }
  if (OnPropertyChanged) OnPropertyChanged(persisted_name);
}

void GradientButtonWindow::RefreshSurface() {
  button_.UserControl_Paint();
  if (Handle() != nullptr) UpdateWindow(Handle());
}

void GradientButtonWindow::PictureAreaChanged() {
  if (!picture_ || picture_->Handle() == nullptr) return;
  const PictureArea& area = button_.Picture1();
  const int dpi = surface_.Dpi();
  const RECT wanted{TwipsToPixels(area.Left(), dpi), TwipsToPixels(area.Top(), dpi), TwipsToPixels(area.Width(), dpi),
                    TwipsToPixels(area.Height(), dpi)};
  RECT now{};
  GetWindowRect(picture_->Handle(), &now);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&now), 2);
  if (now.left != wanted.left || now.top != wanted.top || now.right - now.left != wanted.right ||
      now.bottom - now.top != wanted.bottom) {
    SetWindowPos(picture_->Handle(), nullptr, wanted.left, wanted.top, wanted.right, wanted.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const bool shown = IsWindowVisible(picture_->Handle()) != FALSE ||
                     (GetWindowLongPtrW(picture_->Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != area.Visible()) ShowWindow(picture_->Handle(), area.Visible() ? SW_SHOWNA : SW_HIDE);
  InvalidateRect(picture_->Handle(), nullptr, FALSE);
}

void GradientButtonWindow::RefreshPictureArea() {
  // The last step of every paint pass: the back buffer now holds the pass.
  buffer_fresh_ = true;
  if (Handle() != nullptr && !in_paint_) InvalidateRect(Handle(), nullptr, FALSE);
  if (picture_ && picture_->Handle() != nullptr) InvalidateRect(picture_->Handle(), nullptr, FALSE);
}

void GradientButtonWindow::OnPaint() {
  const PaintScope paint(Handle());
  // Asked by the window system: run a pass, unless one just ran and only
  // waits to be shown.
  if (!buffer_fresh_) {
    in_paint_ = true;
    try {
      button_.UserControl_Paint();
    } catch (...) {
      in_paint_ = false;
      throw;
    }
    in_paint_ = false;
  }
  buffer_fresh_ = false;
  surface_.Present(paint.Dc());
}

void GradientButtonWindow::MouseNotice(Source source, UINT message, std::int16_t mouse_button, std::int16_t shift,
                                       float x, float y) {
  const bool picture = source == Source::kPicture;
  if (IsPress(message)) {
    picture ? button_.Picture1_MouseDown(mouse_button, shift, x, y)
            : button_.UserControl_MouseDown(mouse_button, shift, x, y);
  } else if (IsRelease(message)) {
    picture ? button_.Picture1_MouseUp(mouse_button, shift, x, y)
            : button_.UserControl_MouseUp(mouse_button, shift, x, y);
  } else {
    picture ? button_.Picture1_MouseMove(mouse_button, shift, x, y)
            : button_.UserControl_MouseMove(mouse_button, shift, x, y);
  }
}

void GradientButtonWindow::OnMouse(Source source, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::shared_ptr<bool> alive = alive_;
  const POINT at{win32::PointX(lParam), win32::PointY(lParam)};
  const float x = ToTwips(at.x);
  const float y = ToTwips(at.y);
  const std::int16_t shift = ShiftState();

  if (message == WM_MOUSEMOVE) {
    last_mouse_ = at;
    MouseNotice(source, message, ButtonsHeld(wParam), shift, x, y);
    return;
  }
  const std::int16_t which = ButtonOf(message);
  if (IsPress(message)) {
    if (pressed_with_ != 0) return;  // one press at a time; other buttons wait
    if (GetFocus() != Handle()) SetFocus(Handle());
    if (!*alive) return;
    SetCapture(window);
    pressed_with_ = which;
    pressed_on_ = source;
    last_mouse_ = at;
    // The second press of a double click is the double-click notice, not a
    // press: the button does not go down again and its release clicks nothing.
    press_is_double_ = message == WM_LBUTTONDBLCLK;
    if (press_is_double_) {
      source == Source::kPicture ? button_.Picture1_DblClick() : button_.UserControl_DblClick();
    } else {
      MouseNotice(source, message, which, shift, x, y);
    }
    return;
  }
  if (!IsRelease(message) || which != pressed_with_) return;

  // Released over the control (the picture area is part of it): a click,
  // for the left button only, as system buttons do.
  POINT in_control = at;
  MapWindowPoints(window, Handle(), &in_control, 1);
  RECT client{};
  GetClientRect(Handle(), &client);
  const bool click = which == kLeftButton && !press_is_double_ && PtInRect(&client, in_control);
  pressed_with_ = 0;
  releasing_capture_ = true;
  ReleaseCapture();
  releasing_capture_ = false;
  MouseNotice(source, message, which, shift, x, y);
  if (!*alive || !click) return;
  source == Source::kPicture ? button_.Picture1_Click() : button_.UserControl_Click();
}

void GradientButtonWindow::OnCaptureLost(Source source) {
  // Capture taken away mid-press (another window grabbed the mouse): the
  // press ends as a release where the mouse was last seen, without a click,
  // so the button never stays stuck down.
  if (releasing_capture_ || pressed_with_ == 0 || source != pressed_on_) return;
  const std::int16_t which = pressed_with_;
  pressed_with_ = 0;
  MouseNotice(source, WM_LBUTTONUP, which, ShiftState(), ToTwips(last_mouse_.x), ToTwips(last_mouse_.y));
}

void GradientButtonWindow::OnKey(UINT message, WPARAM wParam) {
  std::int16_t code = static_cast<std::int16_t>(wParam & 0xFFFF);
  std::int16_t shift = ShiftState();
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      button_.UserControl_KeyDown(code, shift);
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      button_.UserControl_KeyUp(code, shift);
      break;
    case WM_CHAR:
      button_.UserControl_KeyPress(code);
      break;
    default:
      break;
  }
}

LRESULT GradientButtonWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const std::shared_ptr<bool> alive = alive_;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_PRINTCLIENT:
      surface_.Present(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SIZE:
      surface_.Resize(win32::LowWord(static_cast<WPARAM>(lParam)), win32::HighWord(static_cast<WPARAM>(lParam)));
      button_.UserControl_Resize();
      buffer_fresh_ = false;
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_SETFOCUS:
      button_.UserControl_EnterFocus();
      if (*alive) button_.UserControl_GotFocus();
      return 0;
    case WM_KILLFOCUS:
      button_.UserControl_LostFocus();
      if (*alive) button_.UserControl_ExitFocus();
      return 0;
    case WM_GETDLGCODE: {
      // Enter belongs to the focused button, not to a dialog's default
      // button; Tab, Esc and the arrows stay with the dialog manager.
      LRESULT code = DLGC_WANTCHARS;
      const auto* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending != nullptr && pending->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      OnKey(message, wParam);
      return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      OnKey(message, wParam);
      // Alt+F4 and menu keys still work.
      return *alive ? DefaultProc(message, wParam, lParam) : 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      OnMouse(Source::kSurface, Handle(), message, wParam, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      OnCaptureLost(Source::kSurface);
      return 0;
    case BM_CLICK: {
      // A click sent by another program (or a test driver) is a mouse click
      // in the middle of the button.
      RECT client{};
      GetClientRect(Handle(), &client);
      const LPARAM middle = win32::MakePoint(client.right / 2, client.bottom / 2);
      SendMessageW(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
      if (*alive) SendMessageW(Handle(), WM_LBUTTONUP, 0, middle);
      return 0;
    }
    case WM_SETTEXT: {
      const LRESULT result = DefaultProc(message, wParam, lParam);
      if (!setting_text_ && lParam != 0) {
        button_.SetCaption(reinterpret_cast<const wchar_t*>(lParam));
      }
      return result;
    }
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

bool PictureAreaWindow::Create(HWND parent) noexcept {
  return CreateHandle(0, WS_CHILD | WS_CLIPSIBLINGS, L"", parent);
}

void PictureAreaWindow::CustomizeClass(WNDCLASSEXW& window_class) noexcept {
  window_class.style = CS_DBLCLKS;
  window_class.hbrBackground = nullptr;
}

void PictureAreaWindow::Paint(HDC dc) const {
  const PictureArea& area = owner_.Button().Picture1();
  RECT client{};
  GetClientRect(Handle(), &client);
  const UniqueGdiObject brush(CreateSolidBrush(ResolveColour(area.BackColor())));
  FillRect(dc, &client, static_cast<HBRUSH>(brush.Get()));
  const PicturePtr& image = area.Image();
  if (!image || !image->IsWellFormed() || image->width == 0 || image->height == 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = image->width;
  info.bmiHeader.biHeight = -image->height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int dpi = owner_.surface_.Dpi();
  StretchDIBits(dc, 0, 0, TwipsToPixels(image->WidthTwips(), dpi), TwipsToPixels(image->HeightTwips(), dpi), 0, 0,
                image->width, image->height, image->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

LRESULT PictureAreaWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const PaintScope paint(Handle());
      Paint(paint.Dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      // The owner may be gone when this returns: touch nothing after it.
      owner_.OnMouse(GradientButtonWindow::Source::kPicture, Handle(), message, wParam, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      owner_.OnCaptureLost(GradientButtonWindow::Source::kPicture);
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace tavrel
