#include "ui/win32/dpi.h"

#include "ui/win32/gdi.h"

namespace tavrel {

int ReadWindowDpi(HWND window) noexcept {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
    // The cast through a generic function pointer is how GetProcAddress is used.
    const auto getDpi =
        reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForWindow")));
    if (getDpi) {
      if (const UINT dpi = getDpi(window); dpi != 0) return static_cast<int>(dpi);
    }
  }
  const WindowDc dc(nullptr);
  const int dpi = dc.Get() ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : 96;
}

}  // namespace tavrel
