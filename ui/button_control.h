#pragma once
// What a window needs of a push button: its caption and two events. Standard
// push buttons and the gradient button both offer it, so swapping one for the
// other changes no window logic.
#include <functional>
#include <string>

namespace tavrel {

class ButtonControl {
 public:
  virtual ~ButtonControl() = default;
  virtual void SetCaption(const std::wstring& caption) = 0;
  [[nodiscard]] virtual std::wstring Caption() const = 0;

  std::function<void()> OnClick;      // by mouse, or by Enter/Space while focused
  std::function<void()> OnMouseDown;  // any mouse button pressed on the button
};

}  // namespace tavrel
