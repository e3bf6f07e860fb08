#include "platform/win32/unique_handle.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace tavrel {
namespace {

std::vector<int>& Closed() {
  static std::vector<int> closed;
  return closed;
}
struct FakeTraits {
  static int Invalid() noexcept { return -1; }
  static void Close(int handle) noexcept { Closed().push_back(handle); }
};
using FakeHandle = UniqueHandle<FakeTraits>;
static_assert(!std::is_copy_constructible_v<FakeHandle> && !std::is_copy_assignable_v<FakeHandle>);
static_assert(std::is_nothrow_move_constructible_v<FakeHandle>);

TEST(UniqueHandle, ClosesItsHandleOnceWhereverOwnershipGoes) {
  Closed().clear();
  {
    FakeHandle a(1);
    FakeHandle b(std::move(a));
    EXPECT_FALSE(a);  // NOLINT(bugprone-use-after-move): moved-from is empty by contract
    FakeHandle c(2);
    c = std::move(b);  // 2 closes now, 1 moves in
    EXPECT_EQ(Closed(), std::vector<int>{2});
    EXPECT_EQ(c.Get(), 1);
  }
  EXPECT_EQ(Closed(), (std::vector<int>{2, 1}));
  FakeHandle h(3);
  EXPECT_EQ(h.Release(), 3);
  EXPECT_FALSE(h.IsValid());
  h.Reset(4);
  h.Reset(5);
  *h.Put() = 6;  // Put closes 5 before the API fills it
  h.Reset();
  FakeHandle empty;
  empty = FakeHandle();  // an empty owner closes nothing
  EXPECT_EQ(Closed(), (std::vector<int>{2, 1, 4, 5, 6}));
}

}  // namespace
}  // namespace tavrel
