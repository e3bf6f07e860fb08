#include "ui/headless/pixel_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tavrel {
namespace {

int Px(float twips) { return static_cast<int>(std::lround(twips / PixelSurface::kTwipsPerPixel)); }

}  // namespace

PixelSurface::PixelSurface(float width, float height)
    : width_(width),
      height_(height),
      columns_(std::max(Px(width), 0)),
      rows_(std::max(Px(height), 0)),
      pixels_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), BackColor()) {}

Colour PixelSurface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= columns_ || y >= rows_) return BackColor();
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(x)];
}

void PixelSurface::Plot(int x, int y, Colour colour) {
  // A wide pen covers a square of its width from the point down and right.
  for (int dy = 0; dy < PenWidth(); ++dy) {
    for (int dx = 0; dx < PenWidth(); ++dx) {
      const int px = x + dx;
      const int py = y + dy;
      if (px < 0 || py < 0 || px >= columns_ || py >= rows_) continue;
      pixels_[static_cast<std::size_t>(py) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(px)] =
          colour;
    }
  }
}

void PixelSurface::Clear() {
  std::fill(pixels_.begin(), pixels_.end(), BackColor());
  texts_.clear();
  SetTextPosition(0, 0);
}

void PixelSurface::Line(float x1, float y1, float x2, float y2, Colour colour) {
  const int ax = Px(x1);
  const int ay = Px(y1);
  const int steps = std::max(std::abs(Px(x2) - ax), std::abs(Px(y2) - ay));
  for (int i = 0; i <= steps; ++i) {
    // A dotted pen draws every other pixel.
    if (PenStyle() == LineStyle::kDotted && i % 2 != 0) continue;
    const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
    Plot(ax + static_cast<int>(std::lround((Px(x2) - ax) * t)), ay + static_cast<int>(std::lround((Px(y2) - ay) * t)),
         colour);
  }
}

void PixelSurface::Box(float x1, float y1, float x2, float y2, Colour colour) {
  Line(x1, y1, x2, y1, colour);
  Line(x2, y1, x2, y2, colour);
  Line(x2, y2, x1, y2, colour);
  Line(x1, y2, x1, y1, colour);
}

void PixelSurface::FilledBox(float x1, float y1, float x2, float y2, Colour colour) {
  const int pen = PenWidth();
  SetPenWidth(1);
  for (int y = std::min(Px(y1), Px(y2)); y <= std::max(Px(y1), Px(y2)); ++y) {
    for (int x = std::min(Px(x1), Px(x2)); x <= std::max(Px(x1), Px(x2)); ++x) Plot(x, y, colour);
  }
  SetPenWidth(pen);
}

float PixelSurface::TextWidth(std::wstring_view text) { return kCharWidth * static_cast<float>(text.size()); }

float PixelSurface::TextHeight(std::wstring_view) { return kLineHeight; }

void PixelSurface::Print(std::wstring_view text) {
  texts_.push_back({std::wstring(text), CurrentX(), CurrentY(), ForeColor()});
  SetTextPosition(0, CurrentY() + kLineHeight);
}

}  // namespace tavrel
