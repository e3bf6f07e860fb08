#include <gtest/gtest.h>

#include <future>
#include <random>
#include <thread>

#include "platform/system.h"

namespace tavrel::test {
namespace {

using namespace std::chrono_literals;

// The real lock, holder in another thread: a name left behind by an ended holder blocks nobody, a held one blocks a
// try that does not wait, and a wait sees the holder let go.
TEST(SystemInstanceLockTest, IsOwnedNotPresent) {
  const std::wstring name = L"Tavrel.Test." + std::to_wstring(std::random_device{}());
  const auto lock = MakeSystemInstanceLock(name);
  EXPECT_NE(lock->TryAcquire(0ms), nullptr);
  std::promise<void> taken;
  std::thread holder([&] {
    const auto guard = MakeSystemInstanceLock(name)->TryAcquire(0ms);
    taken.set_value();
    if (guard) std::this_thread::sleep_for(300ms);
  });
  taken.get_future().wait();
  EXPECT_EQ(lock->TryAcquire(0ms), nullptr);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_NE(lock->TryAcquire(5s), nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
  holder.join();
}

}  // namespace
}  // namespace tavrel::test
