#pragma once
// The button's child picture area (Picture1): where it sits in the button's
// coordinates (twips), whether it shows, its background and its image. A host
// window mirrors it; the button's layout and paint passes only change it here.
#include <utility>

#include "gradient_button/picture.h"
#include "ui/surface.h"

namespace tavrel {

class PictureArea {
 public:
  [[nodiscard]] float Left() const { return left_; }
  [[nodiscard]] float Top() const { return top_; }
  [[nodiscard]] float Width() const { return width_; }
  [[nodiscard]] float Height() const { return height_; }
  [[nodiscard]] bool Visible() const { return visible_; }
  [[nodiscard]] Colour BackColor() const { return back_colour_; }
  [[nodiscard]] const PicturePtr& Image() const { return image_; }
  [[nodiscard]] bool SizesToImage() const { return sizes_to_image_; }

  void SetLeft(float left) { left_ = left; }
  void SetTop(float top) { top_ = top; }
  void SetVisible(bool visible) { visible_ = visible; }
  void SetBackColor(Colour colour) { back_colour_ = colour; }
  void SetImage(PicturePtr image) {
    image_ = std::move(image);
    FitImage();
  }
  // Once on, every new image resizes the area as well.
  void SetSizesToImage(bool on) {
    sizes_to_image_ = on;
    FitImage();
  }

 private:
  // Without an image the area keeps its size, so that an empty area shown on
  // purpose stays where the layout expects it.
  void FitImage() {
    if (!sizes_to_image_ || !image_) return;
    width_ = image_->WidthTwips();
    height_ = image_->HeightTwips();
  }

  // Where it sits when a control is first placed. It starts hidden until a
  // paint pass shows it, so a new control never flashes an empty area.
  float left_ = 240;
  float top_ = 240;
  float width_ = 495;
  float height_ = 375;
  bool visible_ = false;
  Colour back_colour_ = 0x8000000F;
  PicturePtr image_;
  // The size-to-image switch starts off: the area keeps its design size
  // until a layout pass centres a picture on its own.
  bool sizes_to_image_ = false;
};

}  // namespace tavrel
