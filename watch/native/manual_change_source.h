#pragma once
// The native build's change source: a change is announced by hand (Touch) and
// time moves by hand (Advance), so that every order of events can be replayed.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/text.h"
#include "watch/change_source.h"

namespace tavrel {

class ManualChangeSource final : public ChangeSource {
 public:
  void Watch(const std::vector<WatchTarget>& targets) override { targets_ = targets; }
  void StartTimer(std::chrono::milliseconds delay) override { due_ = now_ + delay; }
  [[nodiscard]] std::chrono::milliseconds Now() const override { return now_; }

  // Something under root\key changed: each watched target that is this key,
  // or whose parent it is, hears of it, as a notification would tell it.
  void Touch(RootHandle root, const std::wstring& key) {
    const std::wstring folded = ToLower(key);
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      const std::wstring target = ToLower(targets_[i].keyPath);
      const std::size_t cut = target.find_last_of(L'\\');
      const std::wstring parent = cut == std::wstring::npos ? L"" : target.substr(0, cut);
      if (targets_[i].root == root && (target == folded || parent == folded) && OnChange) OnChange(i);
    }
  }
  // Moves the clock on, firing the timer when it falls due.
  void Advance(std::chrono::milliseconds by) {
    now_ += by;
    if (due_ && *due_ <= now_) {
      due_.reset();
      if (OnTimer) OnTimer();
    }
  }
  [[nodiscard]] const std::vector<WatchTarget>& Targets() const noexcept { return targets_; }

 private:
  std::vector<WatchTarget> targets_;
  std::chrono::milliseconds now_{0};
  std::optional<std::chrono::milliseconds> due_;
};

}  // namespace tavrel
