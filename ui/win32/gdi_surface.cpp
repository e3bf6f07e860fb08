#include "ui/win32/gdi_surface.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "ui/win32/dpi.h"

namespace tavrel {
namespace {

// Far beyond any window, near enough to zero that MulDiv cannot overflow.
constexpr float kMaxTwips = 10'000'000;

int TextLength(std::wstring_view text) { return static_cast<int>(std::min<std::size_t>(text.size(), 32767)); }

}  // namespace

COLORREF ResolveColour(Colour colour) noexcept {
  if (IsSystemColour(colour)) return GetSysColor(static_cast<int>(colour & 0xFFu));
  return colour & 0x00FFFFFFu;
}

int TwipsToPixels(float twips, int dpi) noexcept {
  if (!std::isfinite(twips)) return 0;
  const float held = std::clamp(twips, -kMaxTwips, kMaxTwips);
  return TwipsToPixels(static_cast<int>(std::lround(held)), dpi);
}

float PixelsToTwips(int pixels, int dpi) noexcept {
  return static_cast<float>(pixels) * static_cast<float>(kTwipsPerInch) / static_cast<float>(dpi);
}

GdiSurface::GdiSurface(int dpi) noexcept : dpi_(dpi > 0 ? dpi : 96), dc_(CreateCompatibleDC(nullptr)) {
  if (dc_) {
    SetBkMode(dc_.Get(), TRANSPARENT);
    SetTextAlign(dc_.Get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
  }
}

GdiSurface::~GdiSurface() {
  // The bitmap cannot be deleted while it is selected.
  if (dc_ && original_bitmap_) SelectObject(dc_.Get(), original_bitmap_);
}

void GdiSurface::Resize(int width_pixels, int height_pixels) noexcept {
  width_px_ = std::max(width_pixels, 0);
  height_px_ = std::max(height_pixels, 0);
  if (!dc_) return;
  if (original_bitmap_) SelectObject(dc_.Get(), original_bitmap_);
  original_bitmap_ = nullptr;
  bitmap_.Reset();

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = std::max(width_px_, 1);
  info.bmiHeader.biHeight = -std::max(height_px_, 1);  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap_) original_bitmap_ = SelectObject(dc_.Get(), bitmap_.Get());
}

void GdiSurface::Present(HDC target) const noexcept {
  if (!dc_ || !bitmap_ || target == nullptr) return;
  BitBlt(target, 0, 0, width_px_, height_px_, dc_.Get(), 0, 0, SRCCOPY);
}

UniqueGdiObject GdiSurface::MakePen(Colour colour) const noexcept {
  // GDI dots only one-pixel pens; wider dotted pens come out solid.
  const int style = PenStyle() == LineStyle::kDotted ? PS_DOT : PS_SOLID;
  return UniqueGdiObject(CreatePen(style, std::max(PenWidth(), 1), ResolveColour(colour)));
}

void GdiSurface::Clear() {
  SurfaceSettings::SetTextPosition(0, 0);
  if (!bitmap_) return;
  const UniqueGdiObject brush(CreateSolidBrush(ResolveColour(BackColor())));
  const RECT all{0, 0, width_px_, height_px_};
  FillRect(dc_.Get(), &all, static_cast<HBRUSH>(brush.Get()));
}

void GdiSurface::Line(float x1, float y1, float x2, float y2, Colour colour) {
  if (!bitmap_) return;
  const UniqueGdiObject pen = MakePen(colour);
  const ScopedSelectObject selected(dc_.Get(), pen.Get());
  const int px2 = Px(x2);
  const int py2 = Px(y2);
  MoveToEx(dc_.Get(), Px(x1), Px(y1), nullptr);
  LineTo(dc_.Get(), px2, py2);
  // LineTo leaves out the last pixel; the surface draws both end points.
  if (PenWidth() <= 1 && PenStyle() == LineStyle::kSolid) {
    SetPixelV(dc_.Get(), px2, py2, ResolveColour(colour));
  }
}

void GdiSurface::Box(float x1, float y1, float x2, float y2, Colour colour) {
  if (!bitmap_) return;
  const UniqueGdiObject pen = MakePen(colour);
  const ScopedSelectObject selected(dc_.Get(), pen.Get());
  const int left = Px(x1);
  const int top = Px(y1);
  const int right = Px(x2);
  const int bottom = Px(y2);
  const POINT corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
  Polyline(dc_.Get(), corners, 5);
}

void GdiSurface::FilledBox(float x1, float y1, float x2, float y2, Colour colour) {
  if (!bitmap_) return;
  const UniqueGdiObject pen(CreatePen(PS_SOLID, std::max(PenWidth(), 1), ResolveColour(colour)));
  const UniqueGdiObject brush(CreateSolidBrush(ResolveColour(colour)));
  const ScopedSelectObject pen_selected(dc_.Get(), pen.Get());
  const ScopedSelectObject brush_selected(dc_.Get(), brush.Get());
  const int left = std::min(Px(x1), Px(x2));
  const int right = std::max(Px(x1), Px(x2));
  const int top = std::min(Px(y1), Px(y2));
  const int bottom = std::max(Px(y1), Px(y2));
  // Rectangle leaves out the right and bottom edges; the box includes them.
  Rectangle(dc_.Get(), left, top, right + 1, bottom + 1);
}

HFONT GdiSurface::CurrentFont() noexcept {
  if (font_ && font_made_from_ == Font()) return static_cast<HFONT>(font_.Get());
  const SurfaceFont& wanted = Font();
  LOGFONTW logical{};
  logical.lfHeight = FontHeight(static_cast<int>(std::lround(wanted.points * 100)), dpi_);
  logical.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  logical.lfItalic = wanted.italic ? TRUE : FALSE;
  logical.lfUnderline = wanted.underline ? TRUE : FALSE;
  logical.lfStrikeOut = wanted.strikethrough ? TRUE : FALSE;
  logical.lfCharSet = DEFAULT_CHARSET;
  logical.lfQuality = DEFAULT_QUALITY;
  wanted.name.copy(logical.lfFaceName, LF_FACESIZE - 1);
  font_.Reset(CreateFontIndirectW(&logical));
  font_made_from_ = wanted;
  return static_cast<HFONT>(font_.Get());
}

SIZE GdiSurface::Measure(std::wstring_view text) noexcept {
  SIZE size{0, 0};
  if (!dc_) return size;
  const ScopedSelectObject selected(dc_.Get(), CurrentFont());
  if (text.empty()) {
    // An empty text is one line high and no wide.
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc_.Get(), &metrics)) size.cy = metrics.tmHeight;
    return size;
  }
  GetTextExtentPoint32W(dc_.Get(), text.data(), TextLength(text), &size);
  return size;
}

float GdiSurface::TextWidth(std::wstring_view text) { return PixelsToTwips(Measure(text).cx, dpi_); }

float GdiSurface::TextHeight(std::wstring_view text) { return PixelsToTwips(Measure(text).cy, dpi_); }

void GdiSurface::Print(std::wstring_view text) {
  const float line_height = TextHeight(text);
  if (bitmap_) {
    const ScopedSelectObject selected(dc_.Get(), CurrentFont());
    SetTextColor(dc_.Get(), ResolveColour(ForeColor()));
    TextOutW(dc_.Get(), Px(CurrentX()), Px(CurrentY()), text.data(), TextLength(text));
  }
  SurfaceSettings::SetTextPosition(0, CurrentY() + line_height);
}

}  // namespace tavrel
