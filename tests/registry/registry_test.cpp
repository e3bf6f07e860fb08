// The registry layer where only the in-memory registry can take it: a value
// that changes between two calls, a name no real registry holds.
#include <gtest/gtest.h>

#include "registry/memory/memory_registry.h"
#include "registry/registry.h"
#include "registry/utf16.h"

namespace tavrel {
namespace {

// Between the size query and the read the value grows, shrinks, becomes a
// number or disappears: the read tries again with the new size, keeps only
// the bytes filled, or gives the default.
TEST(RegistryLayer, AValueThatChangesBetweenSizeQueryAndReadIsReadAsItIsNow) {
  MemoryRegistry memory;
  Registry registry(memory);
  const std::pair<RawValue, std::wstring> changes[] = {
      {{kRegSz, EncodeUtf16Le(std::wstring(L"a much longer text\0", 19))}, L"a much longer text"},
      {{kRegSz, EncodeUtf16Le(std::wstring(L"ab\0", 3))}, L"ab"},
      {{kRegDword, std::vector<std::byte>(12, std::byte{1})}, L"d"},
      {{kRegNone, {}}, L"d"}};  // gone
  for (const auto& [now, text] : changes) {
    for (const bool raw : {false, true}) {
      memory.PutValue(kCurrentUser, L"K", L"v", kRegSz, EncodeUtf16Le(std::wstring(L"short\0", 6)));
      memory.SetFaultHook([&, queries = 0](RegCall call) mutable -> std::optional<RegStatus> {
        if (call != RegCall::QueryValue || ++queries != 2) return std::nullopt;
        if (now.type == kRegNone) return kRegFileNotFound;
        memory.PutValue(kCurrentUser, L"K", L"v", now.type, now.bytes);
        return std::nullopt;
      });
      if (raw) EXPECT_EQ(registry.ReadRawValue(kCurrentUser, L"K", L"v"), now.type ? std::optional(now) : std::nullopt);
      else EXPECT_EQ(registry.ReadStringValue(kCurrentUser, L"K", L"v", L"d"), text);
    }
  }
  memory.SetFaultHook(nullptr);
  // A backend that keeps answering "more data" for a name must not keep the listing going.
  for (const std::wstring& name : {std::wstring(L"first"), std::wstring(20000, L'x'), std::wstring(L"after")}) {
    memory.PutValue(kCurrentUser, L"Long", name, kRegSz, {});
  }
  const ValueTable table = registry.EnumValues(kCurrentUser, L"Long");
  EXPECT_EQ(std::pair(table[0].name, table[1]), std::pair(std::wstring(L"first"), ValueRow{}));
  EXPECT_FALSE(registry.WriteStringValue(kDynData, L"Tavrel", L"v", L"x"));  // as on Windows NT
  const std::vector<std::byte> lone = {std::byte{0x3D}, std::byte{0xD8}, std::byte{'x'}, std::byte{0}};
  EXPECT_EQ(EncodeUtf16Le(DecodeUtf16Le(lone)), lone);  // a lone surrogate (another program's name) survives
}

}  // namespace
}  // namespace tavrel
