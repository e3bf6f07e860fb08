#pragma once
// An image a control shows (the button's Picture property).
#include <cstdint>
#include <memory>
#include <vector>

namespace tavrel {

struct Picture {
  int width = 0;   // pixels
  int height = 0;  // pixels
  // Row by row from the top, each 0x00RRGGBB as a 32-bit DIB holds it.
  std::vector<std::uint32_t> pixels;

  // Images carry 96 dots per inch, so one pixel is 15 twips.
  static constexpr float kTwipsPerPixel = 15;
  [[nodiscard]] float WidthTwips() const { return static_cast<float>(width) * kTwipsPerPixel; }
  [[nodiscard]] float HeightTwips() const { return static_cast<float>(height) * kTwipsPerPixel; }
  [[nodiscard]] bool IsWellFormed() const {
    return width >= 0 && height >= 0 &&
           pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  }
  friend bool operator==(const Picture&, const Picture&) = default;
};

// Pictures are set by reference: the control and its owner share one image.
using PicturePtr = std::shared_ptr<const Picture>;

[[nodiscard]] inline bool SamePicture(const PicturePtr& a, const PicturePtr& b) {
  if (a == b) return true;
  if (!a || !b) return false;
  return *a == *b;
}

}  // namespace tavrel
