#pragma once
// Headless controls: their state is public to tests, and tests fire their
// events the way a user would. Events of an unloaded form do nothing.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "ui/button_control.h"
#include "ui/toolkit_controls.h"

namespace tavrel {

class HeadlessForm;

class HeadlessLabel final : public LabelControl {
 public:
  HeadlessLabel(TwipsRect r, FontSpec f, std::wstring t) : rect(r), font(f), text(std::move(t)) {}
  void SetText(const std::wstring& t) override { text = t; }
  [[nodiscard]] std::wstring Text() const override { return text; }

  TwipsRect rect;
  FontSpec font;
  std::wstring text;
};

struct HeadlessDecoration {
  TwipsRect rect;
  Decoration kind;
};

class HeadlessCombo final : public ComboControl {
 public:
  explicit HeadlessCombo(ComboSpec s) : layout(s), text(std::move(s.text)) {}
  [[nodiscard]] std::wstring Text() const override { return text; }
  void SetLocked(bool l) override { locked = l; }
  [[nodiscard]] bool IsLocked() const override { return locked; }

  // The user types a text or picks an item; a locked combo refuses both.
  void Type(const std::wstring& typed);
  void Pick(std::size_t item);

  ComboSpec layout;
  std::wstring text;
  bool locked = false;
};

class HeadlessProgress final : public ProgressControl {
 public:
  explicit HeadlessProgress(TwipsRect r) : rect(r) {}
  void SetMaximum(int m) override { maximum = m; }
  void SetPosition(int p) override {
    position = p;
    positions.push_back(p);
  }

  TwipsRect rect;
  int maximum = 100;
  int position = 0;
  std::vector<int> positions;
};

class HeadlessButton final : public ButtonControl {
 public:
  HeadlessButton(const HeadlessForm& form, ButtonSpec s, bool isGradient, GradientButtonSpec g)
      : layout(std::move(s)), gradient(isGradient), gradientSpec(std::move(g)), caption_(layout.caption), form_(form) {}
  void SetCaption(const std::wstring& c) override {
    caption_ = c;
    captions.push_back(c);
  }
  [[nodiscard]] std::wstring Caption() const override { return caption_; }

  // Press and release on the button with the mouse: MouseDown, then Click.
  void ClickWithMouse();
  // Pressed on the button, released outside it: MouseDown only.
  void PressWithMouseReleaseOutside();
  // Enter or Space while the button has the focus: Click only.
  void ClickWithKeyboard();

  ButtonSpec layout;
  bool gradient;
  GradientButtonSpec gradientSpec;
  std::vector<std::wstring> captions;  // every caption set after creation

 private:
  std::wstring caption_;
  const HeadlessForm& form_;
};

class HeadlessList final : public CheckedListControl {
 public:
  HeadlessList(const HeadlessForm& form, TwipsRect r, FontSpec f) : rect(r), font(f), form_(form) {}
  void SetTabStops(const std::vector<int>& dialogUnits) override { tabStopCalls.push_back(dialogUnits); }
  void Redraw() override { ++redraws; }
  void AddRow(const ListRow& row) override { rows.push_back(row); }
  void Clear() override { rows.clear(); }
  [[nodiscard]] std::size_t RowCount() const override { return rows.size(); }
  [[nodiscard]] ListRow Row(std::size_t index) const override { return rows.at(index); }

  // A click on a row's text: selects it.
  void ClickRow(std::size_t index);
  // A click on a row's check box: flips the check mark.
  void ClickCheckMark(std::size_t index);

  TwipsRect rect;
  FontSpec font;
  std::vector<ListRow> rows;
  std::vector<std::vector<int>> tabStopCalls;
  int redraws = 0;
  std::size_t selected = 0;

 private:
  const HeadlessForm& form_;
};

class HeadlessCheckBox final : public CheckBoxControl {
 public:
  HeadlessCheckBox(const HeadlessForm& form, TwipsRect r, FontSpec f, std::wstring c)
      : rect(r), font(f), caption(std::move(c)), form_(form) {}
  [[nodiscard]] bool IsChecked() const override { return checked; }
  void Click();

  TwipsRect rect;
  FontSpec font;
  std::wstring caption;
  bool checked = false;

 private:
  const HeadlessForm& form_;
};

class HeadlessTimer final : public TimerControl {
 public:
  HeadlessTimer(const HeadlessForm& form, int interval, const long long& clock)
      : intervalMs(interval), form_(form), clock_(clock) {}
  void SetEnabled(bool enabled) override;
  [[nodiscard]] bool IsEnabled() const override { return enabled_; }
  // The time of the next tick, for the toolkit's clock.
  [[nodiscard]] long long NextDue() const noexcept { return nextDue_; }
  [[nodiscard]] bool CanTick() const;
  void Tick();

  int intervalMs;

 private:
  const HeadlessForm& form_;
  const long long& clock_;
  bool enabled_ = false;
  long long nextDue_ = 0;
};

}  // namespace tavrel
