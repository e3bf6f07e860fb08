#pragma once
#include "platform/clock.h"

namespace tavrel {

class FakeClock final : public Clock {
 public:
  explicit FakeClock(LocalTime now = {2026, 3, 14, 9, 5, 7}) : now_(now) {}
  void Set(LocalTime now) { now_ = now; }
  [[nodiscard]] LocalTime Now() const override { return now_; }
  [[nodiscard]] LocalTime UtcNow() const override { return now_; }  // the fake lives on UTC

 private:
  LocalTime now_;
};

}  // namespace tavrel
