#pragma once
// A gradient button hosted without a window: it paints on a recorder and
// keeps the host's notices, for tests and for the headless build of the
// windows that use it. Input comes from calling the button's handlers.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gradient_button/brix_button.h"
#include "gradient_button/button_control_adapter.h"
#include "gradient_button/button_host.h"
#include "ui/headless/recording_surface.h"

namespace tavrel {

class RecordedBrixButton final : public ButtonHost {
 public:
  RecordedBrixButton(float width, float height, SurfaceFont ambient_font = {},
                     Colour ambient_back_color = 0x8000000F)
      : surface_(width, height),
        ambient_font_(std::move(ambient_font)),
        ambient_back_color_(ambient_back_color),
        button_(surface_, *this) {}
  RecordedBrixButton(const RecordedBrixButton&) = delete;
  RecordedBrixButton& operator=(const RecordedBrixButton&) = delete;

  [[nodiscard]] BrixButton& Button() { return button_; }
  [[nodiscard]] RecordingSurface& Surface() { return surface_; }
  // The button as a window's logic sees it; takes over Click and MouseDown.
  [[nodiscard]] ButtonControl& Control() {
    if (!control_) control_ = std::make_unique<BrixButtonControl>(button_);
    return *control_;
  }

  // Container notices, by persisted name, in order.
  [[nodiscard]] const std::vector<std::wstring>& Notices() const { return notices_; }
  [[nodiscard]] int PictureRefreshes() const { return picture_refreshes_; }
  void ForgetAll() {
    notices_.clear();
    picture_refreshes_ = 0;
    surface_.ForgetCalls();
  }

  void PropertyChanged(std::wstring_view persisted_name) override {
    notices_.emplace_back(persisted_name);
  }
  [[nodiscard]] SurfaceFont AmbientFont() const override { return ambient_font_; }
  [[nodiscard]] Colour AmbientBackColor() const override { return ambient_back_color_; }
  void RefreshSurface() override { button_.UserControl_Paint(); }
  void PictureAreaChanged() override {}
  void RefreshPictureArea() override { ++picture_refreshes_; }

 private:
  RecordingSurface surface_;
  SurfaceFont ambient_font_;
  Colour ambient_back_color_;
  BrixButton button_;
  std::unique_ptr<BrixButtonControl> control_;
  std::vector<std::wstring> notices_;
  int picture_refreshes_ = 0;
};

}  // namespace tavrel
