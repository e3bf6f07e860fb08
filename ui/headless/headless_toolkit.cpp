#include "ui/headless/headless_toolkit.h"

#include <algorithm>
#include <utility>

namespace tavrel {

HeadlessForm::HeadlessForm(HeadlessToolkit& toolkit, FormSpec s) : layout(std::move(s)), toolkit_(toolkit) {}

HeadlessForm::~HeadlessForm() { toolkit_.Forget(this); }

void HeadlessForm::Show() {
  if (!loaded_) return;
  visible_ = true;
  ++showCount;
}

void HeadlessForm::Unload() {
  loaded_ = false;
  visible_ = false;
}

void HeadlessForm::CloseFromFrame() {
  if (!loaded_) return;
  if (OnFrameClose) {
    OnFrameClose();
  } else {
    Unload();
  }
}

LabelControl& HeadlessForm::AddLabel(const TwipsRect& rect, const FontSpec& font, const std::wstring& text) {
  creationOrder.emplace_back(L"label");
  return *labels.emplace_back(std::make_unique<HeadlessLabel>(rect, font, text));
}

ComboControl& HeadlessForm::AddCombo(const ComboSpec& comboSpec) {
  creationOrder.emplace_back(L"combo");
  return *combos.emplace_back(std::make_unique<HeadlessCombo>(comboSpec));
}

ProgressControl& HeadlessForm::AddProgressBar(const TwipsRect& rect) {
  creationOrder.emplace_back(L"progress");
  return *progressBars.emplace_back(std::make_unique<HeadlessProgress>(rect));
}

ButtonControl& HeadlessForm::AddPushButton(const ButtonSpec& buttonSpec) {
  creationOrder.emplace_back(L"button");
  return *buttons.emplace_back(std::make_unique<HeadlessButton>(*this, buttonSpec, false, GradientButtonSpec{}));
}

ButtonControl& HeadlessForm::AddGradientButton(const GradientButtonSpec& gradientSpec) {
  creationOrder.emplace_back(L"button");
  return *buttons.emplace_back(std::make_unique<HeadlessButton>(*this, gradientSpec.button, true, gradientSpec));
}

CheckedListControl& HeadlessForm::AddCheckedList(const TwipsRect& rect, const FontSpec& font) {
  creationOrder.emplace_back(L"list");
  return *lists.emplace_back(std::make_unique<HeadlessList>(*this, rect, font));
}

CheckBoxControl& HeadlessForm::AddCheckBox(const TwipsRect& rect, const FontSpec& font, const std::wstring& caption) {
  creationOrder.emplace_back(L"checkbox");
  return *checkBoxes.emplace_back(std::make_unique<HeadlessCheckBox>(*this, rect, font, caption));
}

TimerControl& HeadlessForm::AddTimer(int intervalMilliseconds) {
  return *timers.emplace_back(std::make_unique<HeadlessTimer>(*this, intervalMilliseconds, toolkit_.now_));
}

HeadlessToolkit::HeadlessToolkit(std::wstring title) : applicationTitle(std::move(title)) {}

HeadlessToolkit::~HeadlessToolkit() = default;

std::unique_ptr<Form> HeadlessToolkit::CreateForm(const FormSpec& layout) {
  auto form = std::make_unique<HeadlessForm>(*this, layout);
  forms_.push_back(form.get());
  return form;
}

void HeadlessToolkit::ShowMessageBox(const std::wstring& text) {
  messageBoxes.push_back({text, applicationTitle});
  if (whileMessageBoxShown) whileMessageBoxShown(text);
}

void HeadlessToolkit::PumpPendingEvents() {
  ++pumpCount;
  // Only what waits now: events posted by these handlers wait for the next pump.
  auto waiting = std::exchange(posted_, {});
  for (auto& event : waiting) event();
}

int HeadlessToolkit::RunEventLoop() {
  while (!posted_.empty()) {
    auto event = std::move(posted_.front());
    posted_.pop_front();
    event();
  }
  return 0;
}

void HeadlessToolkit::Post(std::function<void()> event) { posted_.push_back(std::move(event)); }

void HeadlessToolkit::AdvanceClock(long long milliseconds) {
  const long long target = now_ + milliseconds;
  for (;;) {
    HeadlessTimer* next = nullptr;
    for (HeadlessForm* form : forms_) {
      for (auto& timer : form->timers) {
        if (timer->CanTick() && timer->NextDue() <= target && (next == nullptr || timer->NextDue() < next->NextDue())) {
          next = timer.get();
        }
      }
    }
    if (next == nullptr) break;
    now_ = next->NextDue();
    next->Tick();
  }
  now_ = target;
}

HeadlessForm* HeadlessToolkit::LoadedForm(const std::wstring& caption) const {
  for (HeadlessForm* form : forms_) {
    if (form->IsLoaded() && form->layout.caption == caption) return form;
  }
  return nullptr;
}

int HeadlessToolkit::LoadedFormCount() const {
  return static_cast<int>(
      std::count_if(forms_.begin(), forms_.end(), [](const HeadlessForm* f) { return f->IsLoaded(); }));
}

void HeadlessToolkit::Forget(const HeadlessForm* form) { std::erase(forms_, form); }

}  // namespace tavrel
