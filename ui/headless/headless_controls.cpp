#include "ui/headless/headless_controls.h"

#include "ui/headless/headless_toolkit.h"

namespace tavrel {

void HeadlessCombo::Type(const std::wstring& typed) {
  if (!locked) text = typed;
}

void HeadlessCombo::Pick(std::size_t item) {
  if (!locked && item < layout.items.size()) text = layout.items[item];
}

void HeadlessButton::ClickWithMouse() {
  if (!form_.IsLoaded()) return;
  if (OnMouseDown) OnMouseDown();
  // The press may have unloaded the form; then no click follows.
  if (form_.IsLoaded() && OnClick) OnClick();
}

void HeadlessButton::PressWithMouseReleaseOutside() {
  if (form_.IsLoaded() && OnMouseDown) OnMouseDown();
}

void HeadlessButton::ClickWithKeyboard() {
  if (form_.IsLoaded() && OnClick) OnClick();
}

void HeadlessList::ClickRow(std::size_t index) {
  if (!form_.IsLoaded() || index >= rows.size()) return;
  selected = index;
  if (OnClick) OnClick();
}

void HeadlessList::ClickCheckMark(std::size_t index) {
  if (!form_.IsLoaded() || index >= rows.size()) return;
  selected = index;
  rows[index].checked = !rows[index].checked;
  if (OnCheckChanged) OnCheckChanged(index, rows[index].checked);
  if (form_.IsLoaded() && OnClick) OnClick();
}

void HeadlessCheckBox::Click() {
  if (!form_.IsLoaded()) return;
  checked = !checked;
  if (OnClick) OnClick();
}

void HeadlessTimer::SetEnabled(bool enabled) {
  if (enabled && !enabled_) nextDue_ = clock_ + intervalMs;
  enabled_ = enabled;
}

bool HeadlessTimer::CanTick() const { return enabled_ && form_.IsLoaded() && intervalMs > 0; }

void HeadlessTimer::Tick() {
  nextDue_ += intervalMs;
  if (OnTick) OnTick();
}

}  // namespace tavrel
