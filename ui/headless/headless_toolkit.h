#pragma once
// The headless toolkit: forms and controls whose state tests inspect, events
// that tests fire, and a clock that tests advance by hand. Timers tick only
// when the clock is advanced; events posted by a test wait for the next pump.
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/headless/headless_controls.h"
#include "ui/toolkit.h"

namespace tavrel {

class HeadlessToolkit;

class HeadlessForm final : public Form {
 public:
  HeadlessForm(HeadlessToolkit& toolkit, FormSpec layout);
  ~HeadlessForm() override;
  HeadlessForm(const HeadlessForm&) = delete;
  HeadlessForm& operator=(const HeadlessForm&) = delete;

  void Show() override;
  void Hide() override { visible_ = false; }
  void Unload() override;
  [[nodiscard]] bool IsLoaded() const override { return loaded_; }
  [[nodiscard]] bool IsVisible() const override { return visible_; }
  void SetOuterHeight(int twips) override { outerHeight = twips; }

  LabelControl& AddLabel(const TwipsRect& rect, const FontSpec& font, const std::wstring& text) override;
  void AddDecoration(const TwipsRect& rect, Decoration kind) override { decorations.push_back({rect, kind}); }
  ComboControl& AddCombo(const ComboSpec& layout) override;
  ProgressControl& AddProgressBar(const TwipsRect& rect) override;
  ButtonControl& AddPushButton(const ButtonSpec& layout) override;
  ButtonControl& AddGradientButton(const GradientButtonSpec& layout) override;
  CheckedListControl& AddCheckedList(const TwipsRect& rect, const FontSpec& font) override;
  CheckBoxControl& AddCheckBox(const TwipsRect& rect, const FontSpec& font, const std::wstring& caption) override;
  TimerControl& AddTimer(int intervalMilliseconds) override;

  // The user closes the window from its frame.
  void CloseFromFrame();

  // Inspection. Controls are listed in creation (tab) order.
  FormSpec layout;
  std::optional<int> outerHeight;
  int showCount = 0;
  std::vector<std::unique_ptr<HeadlessLabel>> labels;
  std::vector<HeadlessDecoration> decorations;
  std::vector<std::unique_ptr<HeadlessCombo>> combos;
  std::vector<std::unique_ptr<HeadlessProgress>> progressBars;
  std::vector<std::unique_ptr<HeadlessButton>> buttons;
  std::vector<std::unique_ptr<HeadlessList>> lists;
  std::vector<std::unique_ptr<HeadlessCheckBox>> checkBoxes;
  std::vector<std::unique_ptr<HeadlessTimer>> timers;
  // Every control in creation order, by kind name ("label", "button", ...).
  std::vector<std::wstring> creationOrder;

 private:
  HeadlessToolkit& toolkit_;
  bool loaded_ = true;
  bool visible_ = false;
};

class HeadlessToolkit final : public Toolkit {
 public:
  explicit HeadlessToolkit(std::wstring applicationTitle = L"Tavrel");
  ~HeadlessToolkit() override;
  HeadlessToolkit(const HeadlessToolkit&) = delete;
  HeadlessToolkit& operator=(const HeadlessToolkit&) = delete;

  [[nodiscard]] std::unique_ptr<Form> CreateForm(const FormSpec& layout) override;
  void ShowMessageBox(const std::wstring& text) override;
  void PumpPendingEvents() override;
  int RunEventLoop() override;

  // Tests: an event that reaches the program at its next pump.
  void Post(std::function<void()> event);
  // Tests: moves the clock on, ticking every enabled timer of a loaded form
  // at each of its intervals, in time order.
  void AdvanceClock(long long milliseconds);
  [[nodiscard]] long long Now() const noexcept { return now_; }

  // Forms that exist, loaded or not, in creation order.
  [[nodiscard]] const std::vector<HeadlessForm*>& Forms() const noexcept { return forms_; }
  // The form with this caption that is still loaded, or null.
  [[nodiscard]] HeadlessForm* LoadedForm(const std::wstring& caption) const;
  [[nodiscard]] int LoadedFormCount() const;

  std::wstring applicationTitle;
  struct MessageBoxCall {
    std::wstring text;
    std::wstring title;
  };
  std::vector<MessageBoxCall> messageBoxes;
  // Runs while the modal box is up, before it is dismissed.
  std::function<void(const std::wstring& text)> whileMessageBoxShown;
  int pumpCount = 0;

 private:
  friend class HeadlessForm;
  void Forget(const HeadlessForm* form);

  std::vector<HeadlessForm*> forms_;
  std::deque<std::function<void()>> posted_;
  long long now_ = 0;
};

}  // namespace tavrel
