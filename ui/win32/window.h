#pragma once
// CRTP base of every top-level window: registers T's window class on first
// use, receives `this` through lpCreateParams at WM_NCCREATE, forwards each
// message to T::HandleMessage and lets no exception escape the window
// procedure. T provides kClassName and HandleMessage(UINT, WPARAM, LPARAM).
#include <windows.h>

#include "ui/win32/gdi.h"

namespace tavrel {

template <typename T>
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // A window still open here is destroyed without reaching T, whose members
  // are already gone; T's destructor normally calls DestroyHandle first.
  ~Window() {
    if (window_) SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
  }

  [[nodiscard]] HWND Handle() const noexcept { return window_.Get(); }

  // True when the window was made from T's class (a form of this toolkit).
  [[nodiscard]] static bool IsInstance(HWND window) noexcept {
    const ATOM atom = ClassAtom();
    return window && atom != 0 && static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM)) == atom;
  }

 protected:
  [[nodiscard]] bool CreateHandle(DWORD exStyle, DWORD style, const wchar_t* title, HWND parent) noexcept {
    if (ClassAtom() == 0) return false;
    CreateWindowExW(exStyle, T::kClassName, title, style, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, parent, nullptr,
                    GetModuleHandleW(nullptr), this);
    return window_.IsValid();
  }
  // Destroys the window now; its last messages still reach T.
  void DestroyHandle() noexcept {
    if (window_) DestroyWindow(window_.Get());
  }
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return DefWindowProcW(window_.Get(), message, wParam, lParam);
  }

 private:
  static ATOM ClassAtom() noexcept {
    // Registered once per process, on first use.
    static const ATOM atom = [] {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof(windowClass);
      windowClass.style = CS_HREDRAW | CS_VREDRAW;
      windowClass.lpfnWndProc = &Window::Procedure;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      // Same cast as the system headers' COLOR_BTNFACE + 1 idiom.
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
      windowClass.lpszClassName = T::kClassName;
      T::CustomizeClass(windowClass);
      return RegisterClassExW(&windowClass);
    }();
    return atom;
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      self = static_cast<Window*>(create->lpCreateParams);
      self->window_.Reset(window);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    try {
      result = static_cast<T*>(self)->HandleMessage(message, wParam, lParam);
    } catch (...) {
      // A failed handler loses its event, never the process.
      result = DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
      // The window is gone: nothing is left to destroy.
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      (void)self->window_.Release();
    }
    return result;
  }

  UniqueHwnd window_;
};

}  // namespace tavrel
