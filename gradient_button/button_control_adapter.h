#pragma once
// Offers a gradient button as the ButtonControl a window's logic uses, so a
// standard push button can be swapped for it without changing that logic.
#include "gradient_button/brix_button.h"
#include "ui/button_control.h"

namespace tavrel {

class BrixButtonControl final : public ButtonControl {
 public:
  // Takes over the button's Click and MouseDown events.
  explicit BrixButtonControl(BrixButton& button) : button_(button) {
    button_.events.Click = [this] {
      if (OnClick) OnClick();
    };
    button_.events.MouseDown = [this](std::int16_t&, std::int16_t&, float&, float&) {
      if (OnMouseDown) OnMouseDown();
    };
  }
  ~BrixButtonControl() override {
    button_.events.Click = nullptr;
    button_.events.MouseDown = nullptr;
  }
  BrixButtonControl(const BrixButtonControl&) = delete;
  BrixButtonControl& operator=(const BrixButtonControl&) = delete;

  void SetCaption(const std::wstring& caption) override { button_.SetCaption(caption); }
  [[nodiscard]] std::wstring Caption() const override { return button_.Caption(); }

 private:
  BrixButton& button_;
};

}  // namespace tavrel
