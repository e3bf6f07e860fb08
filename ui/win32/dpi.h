#pragma once
// Twips to pixels in one place. The DPI is read once per window.
#include <windows.h>

namespace tavrel {

inline constexpr int kTwipsPerInch = 1440;

// GetDpiForWindow where the system has it (looked up at run time, so older
// systems still start), otherwise the screen DC's LOGPIXELSY.
[[nodiscard]] int ReadWindowDpi(HWND window) noexcept;

[[nodiscard]] inline int TwipsToPixels(int twips, int dpi) noexcept { return MulDiv(twips, dpi, kTwipsPerInch); }

// A font height in pixels for CreateFont (negative: the character height).
[[nodiscard]] inline int FontHeight(int hundredthsOfPoint, int dpi) noexcept {
  return -MulDiv(hundredthsOfPoint, dpi, 7200);
}

}  // namespace tavrel
