#pragma once
// A drawing surface that paints into a grid of pixels, 15 twips each (96 dots
// per inch), keeping colours as they were given (system colours unresolved),
// so that a test can look at what a paint pass shows. Text is measured at a
// fixed pitch; what is printed is kept with its place and colour.
#include <string>
#include <string_view>
#include <vector>

#include "ui/surface.h"

namespace tavrel {

class PixelSurface final : public SurfaceSettings {
 public:
  static constexpr float kTwipsPerPixel = 15;
  static constexpr float kCharWidth = 90;
  static constexpr float kLineHeight = 195;

  struct PrintedText {
    std::wstring text;
    float x;
    float y;
    Colour colour;
  };

  PixelSurface(float width, float height);

  // Outside the grid: the back colour.
  [[nodiscard]] Colour Pixel(int x, int y) const;
  [[nodiscard]] int Columns() const { return columns_; }
  [[nodiscard]] int Rows() const { return rows_; }
  // Everything printed since the last Clear.
  [[nodiscard]] const std::vector<PrintedText>& Texts() const { return texts_; }

  [[nodiscard]] float Width() const override { return width_; }
  [[nodiscard]] float Height() const override { return height_; }
  void Clear() override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  void Box(float x1, float y1, float x2, float y2, Colour colour) override;
  void FilledBox(float x1, float y1, float x2, float y2, Colour colour) override;
  [[nodiscard]] float TextWidth(std::wstring_view text) override;
  [[nodiscard]] float TextHeight(std::wstring_view text) override;
  void Print(std::wstring_view text) override;

 private:
  void Plot(int x, int y, Colour colour);

  float width_;
  float height_;
  int columns_;
  int rows_;
  std::vector<Colour> pixels_;
  std::vector<PrintedText> texts_;
};

}  // namespace tavrel
