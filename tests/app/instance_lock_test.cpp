#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "platform/system.h"

namespace tavrel::test {
namespace {

using namespace std::chrono_literals;

// The real lock, held from another thread: a name an ended holder left behind blocks nobody, a held one blocks.
TEST(SystemInstanceLockTest, IsOwnedNotPresent) {
  const auto name = L"Tavrel.Test." + std::to_wstring(std::chrono::steady_clock::now().time_since_epoch().count());
  const auto lock = MakeSystemInstanceLock(name);
  EXPECT_NE(lock->TryAcquire(0ms), nullptr);
  std::promise<void> taken;
  std::thread holder([&] {
    const auto guard = MakeSystemInstanceLock(name)->TryAcquire(0ms);
    taken.set_value();
    std::this_thread::sleep_for(300ms);
  });
  taken.get_future().wait();
  EXPECT_EQ(lock->TryAcquire(0ms), nullptr);
  EXPECT_NE(lock->TryAcquire(5s), nullptr) << "a wait sees the holder let go";
  holder.join();
}

}  // namespace
}  // namespace tavrel::test
