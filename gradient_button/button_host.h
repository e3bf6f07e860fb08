#pragma once
// What the gradient button needs of the window that hosts it, beyond its
// drawing surface.
#include <string_view>

#include "ui/surface.h"

namespace tavrel {

class ButtonHost {
 public:
  virtual ~ButtonHost() = default;
  // A property changed: the hosting form's saved copy is out of date.
  virtual void PropertyChanged(std::wstring_view persisted_name) = 0;
  // The font the hosting form offers its controls.
  [[nodiscard]] virtual SurfaceFont AmbientFont() const = 0;
  // The colour of the form around the control.
  [[nodiscard]] virtual Colour AmbientBackColor() const = 0;
  // The surface's own refresh: run the paint pass and show it at once.
  virtual void RefreshSurface() = 0;
  // The picture area moved, changed size, was shown or hidden, or got a new
  // image or background colour.
  virtual void PictureAreaChanged() = 0;
  // The picture area redraws itself, on top of the face just painted.
  virtual void RefreshPictureArea() = 0;
};

}  // namespace tavrel
