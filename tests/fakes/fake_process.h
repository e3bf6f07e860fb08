#pragma once
#include <chrono>
#include <memory>
#include <string>
#include <utility>

#include "platform/process.h"

namespace tavrel {

struct FakeProcess final : Process {
  [[nodiscard]] std::wstring ArgumentText() const override { return argumentText; }
  [[nodiscard]] std::wstring ProgramFolder() const override { return programFolder; }
  [[nodiscard]] std::wstring LocalAppDataFolder() const override { return L"C:\\Users\\U\\AppData\\Local"; }
  [[nodiscard]] std::wstring ComputerName() const override { return L"PC1"; }
  [[nodiscard]] std::wstring UserId() const override { return L"S-1-5-21-1"; }
  std::wstring argumentText, programFolder;
};

// One lock shared by the "processes" of a test: held while a guard lives, or
// by another instance that lets go this long after it is asked for.
struct FakeInstanceLock final : InstanceLock {
  [[nodiscard]] std::unique_ptr<InstanceGuard> TryAcquire(std::chrono::milliseconds wait) override {
    if (otherInstanceLetsGoAfter > wait || held_.use_count() > 1) return nullptr;
    struct Guard final : InstanceGuard {
      explicit Guard(std::shared_ptr<int> held) : held_(std::move(held)) {}
      std::shared_ptr<int> held_;
    };
    return std::make_unique<Guard>(held_);
  }
  std::chrono::milliseconds otherInstanceLetsGoAfter{0};

 private:
  std::shared_ptr<int> held_ = std::make_shared<int>();
};

}  // namespace tavrel
