#pragma once
// Owners for the window system's handles: windows, GDI objects, device
// contexts and an object selected into a DC. All move-only.
#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace tavrel {

struct WindowTraits {
  static HWND Invalid() noexcept { return nullptr; }
  static void Close(HWND window) noexcept { DestroyWindow(window); }
};
using UniqueHwnd = UniqueHandle<WindowTraits>;

struct GdiObjectTraits {
  static HGDIOBJ Invalid() noexcept { return nullptr; }
  static void Close(HGDIOBJ object) noexcept { DeleteObject(object); }
};
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

struct IconTraits {
  static HICON Invalid() noexcept { return nullptr; }
  static void Close(HICON icon) noexcept { DestroyIcon(icon); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

// A window's DC, released with the window it came from.
class WindowDc {
 public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  [[nodiscard]] HDC Get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC compatible with another, deleted at the end of scope.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) noexcept : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  [[nodiscard]] HDC Get() const noexcept { return dc_; }

 private:
  HDC dc_;
};

// Selects an object into a DC and puts the old one back at the end of scope.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelectObject() {
    if (old_) SelectObject(dc_, old_);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace tavrel
