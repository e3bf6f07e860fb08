#pragma once
// The drawing surface over GDI: every call draws into a back buffer of the
// window's client size; the window shows it with Present. Twips become
// pixels at the window's DPI, pen widths stay in pixels, and system colours
// are resolved with GetSysColor when drawn.
#include <windows.h>

#include "ui/surface.h"
#include "ui/win32/gdi.h"

namespace tavrel {

struct MemoryDcTraits {
  static HDC Invalid() noexcept { return nullptr; }
  static void Close(HDC dc) noexcept { DeleteDC(dc); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// A colour value as GDI wants it: system colours looked up now, the top byte
// of anything else dropped.
[[nodiscard]] COLORREF ResolveColour(Colour colour) noexcept;

// Twips (possibly fractional) to whole pixels, through the one DPI helper.
[[nodiscard]] int TwipsToPixels(float twips, int dpi) noexcept;
[[nodiscard]] float PixelsToTwips(int pixels, int dpi) noexcept;

class GdiSurface final : public SurfaceSettings {
 public:
  explicit GdiSurface(int dpi) noexcept;
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  // A new, cleared back buffer of this many pixels; the settings stay.
  void Resize(int width_pixels, int height_pixels) noexcept;
  [[nodiscard]] int Dpi() const noexcept { return dpi_; }
  [[nodiscard]] int WidthPixels() const noexcept { return width_px_; }
  [[nodiscard]] int HeightPixels() const noexcept { return height_px_; }
  // Copies the back buffer to (0, 0) of the target.
  void Present(HDC target) const noexcept;

  [[nodiscard]] float Width() const override { return PixelsToTwips(width_px_, dpi_); }
  [[nodiscard]] float Height() const override { return PixelsToTwips(height_px_, dpi_); }
  void Clear() override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  void Box(float x1, float y1, float x2, float y2, Colour colour) override;
  void FilledBox(float x1, float y1, float x2, float y2, Colour colour) override;
  [[nodiscard]] float TextWidth(std::wstring_view text) override;
  [[nodiscard]] float TextHeight(std::wstring_view text) override;
  void Print(std::wstring_view text) override;

 private:
  [[nodiscard]] int Px(float twips) const noexcept { return TwipsToPixels(twips, dpi_); }
  [[nodiscard]] UniqueGdiObject MakePen(Colour colour) const noexcept;
  [[nodiscard]] HFONT CurrentFont() noexcept;
  [[nodiscard]] SIZE Measure(std::wstring_view text) noexcept;

  int dpi_;
  int width_px_ = 0;
  int height_px_ = 0;
  UniqueMemoryDc dc_;
  UniqueGdiObject bitmap_;
  HGDIOBJ original_bitmap_ = nullptr;
  UniqueGdiObject font_;
  SurfaceFont font_made_from_;
};

}  // namespace tavrel
