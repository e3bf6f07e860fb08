#pragma once
// Casts the system headers' macros would make with old-style casts, spelled
// out once here.
#include <windows.h>

#include <string>

namespace tavrel::win32 {

[[nodiscard]] inline LPCWSTR ResourceId(WORD id) noexcept {
  return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id));
}
[[nodiscard]] inline WORD LowWord(WPARAM value) noexcept { return static_cast<WORD>(value & 0xFFFF); }
[[nodiscard]] inline WORD HighWord(WPARAM value) noexcept { return static_cast<WORD>((value >> 16) & 0xFFFF); }
[[nodiscard]] inline int PointX(LPARAM value) noexcept {
  return static_cast<short>(static_cast<WORD>(static_cast<DWORD_PTR>(value) & 0xFFFF));
}
[[nodiscard]] inline int PointY(LPARAM value) noexcept {
  return static_cast<short>(static_cast<WORD>((static_cast<DWORD_PTR>(value) >> 16) & 0xFFFF));
}
[[nodiscard]] inline LPARAM MakePoint(int x, int y) noexcept {
  return static_cast<LPARAM>((static_cast<DWORD>(static_cast<WORD>(y)) << 16) | static_cast<WORD>(x));
}
[[nodiscard]] inline HMENU ChildId(int id) noexcept { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

[[nodiscard]] inline std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace tavrel::win32
