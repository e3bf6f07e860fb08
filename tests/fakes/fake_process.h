#pragma once
#include <memory>
#include <string>
#include <utility>

#include "platform/process.h"

namespace tavrel {

class FakeProcess final : public Process {
 public:
  FakeProcess(std::wstring argumentText, std::wstring programFolder)
      : argumentText_(std::move(argumentText)), programFolder_(std::move(programFolder)) {}
  [[nodiscard]] std::wstring ArgumentText() const override { return argumentText_; }
  [[nodiscard]] std::wstring ProgramFolder() const override { return programFolder_; }

 private:
  std::wstring argumentText_, programFolder_;
};

// One lock shared by the "processes" of a test: held while a guard lives, or
// while the test says another instance runs.
class FakeInstanceLock final : public InstanceLock {
 public:
  void SetOtherInstanceRunning(bool running) { otherRunning_ = running; }
  [[nodiscard]] bool IsHeld() const { return held_.use_count() > 1; }
  [[nodiscard]] std::unique_ptr<InstanceGuard> TryAcquire() override {
    if (otherRunning_ || IsHeld()) return nullptr;
    struct Guard final : InstanceGuard {
      explicit Guard(std::shared_ptr<int> held) : held_(std::move(held)) {}
      std::shared_ptr<int> held_;
    };
    return std::make_unique<Guard>(held_);
  }

 private:
  bool otherRunning_ = false;
  std::shared_ptr<int> held_ = std::make_shared<int>();
};

}  // namespace tavrel
