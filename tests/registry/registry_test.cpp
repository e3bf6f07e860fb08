// The registry layer over the in-memory registry: what the contract suite
// cannot reach on a real registry (failing calls, values that change between
// two calls, handles left open), and the memory backend's own extras.
#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "registry/memory/memory_registry.h"
#include "registry/registry.h"
#include "registry/utf16.h"

namespace tavrel {
namespace {

const std::wstring kKey = L"Software\\Watched";

std::vector<std::byte> Utf16Z(const std::wstring& text) {
  std::vector<std::byte> bytes = EncodeUtf16Le(text);
  bytes.resize(bytes.size() + 2);
  return bytes;
}

class RegistryLayer : public ::testing::Test {
 protected:
  MemoryRegistry memory_;
  Registry registry_{memory_};
};

TEST(Utf16, EncodesAndDecodesEveryCharacterIncludingSurrogatePairsAndLoneHalves) {
  const std::wstring text = L"a\x00E9\x0416\x66F4\U0001F600";
  const std::vector<std::byte> bytes = EncodeUtf16Le(text);
  ASSERT_EQ(bytes.size(), 12u);
  EXPECT_EQ(std::vector<std::byte>(bytes.begin() + 8, bytes.end()),
            (std::vector<std::byte>{std::byte{0x3D}, std::byte{0xD8}, std::byte{0x00}, std::byte{0xDE}}));
  EXPECT_EQ(DecodeUtf16Le(bytes), text);
  // A lone high surrogate (a name another program wrote) survives the trip;
  // a trailing odd byte is ignored.
  const std::vector<std::byte> lone = {std::byte{0x3D}, std::byte{0xD8}, std::byte{'x'}, std::byte{0}};
  EXPECT_EQ(EncodeUtf16Le(DecodeUtf16Le(lone)), lone);
  EXPECT_EQ(DecodeUtf16Le(std::vector<std::byte>{std::byte{'a'}, std::byte{0}, std::byte{'b'}}), L"a");
}

TEST_F(RegistryLayer, DeletesCloseWhatTheyOpenedAndNeverTouchTheRootItself) {
  memory_.PutValue(kCurrentUser, L"", L"at root", kRegSz, Utf16Z(L"x"));
  registry_.DeleteKey(kCurrentUser, L"");
  EXPECT_EQ(registry_.ReadStringValue(kCurrentUser, L"", L"at root", L""), L"x");
  EXPECT_TRUE(registry_.WriteStringValue(kCurrentUser, kKey, L"v", L"x"));
  registry_.DeleteValue(kCurrentUser, kKey, L"v");
  registry_.DeleteKey(kCurrentUser, kKey);
  EXPECT_FALSE(memory_.KeyExists(kCurrentUser, kKey));
  EXPECT_EQ(memory_.OpenHandleCount(), 0u);
}

// Each call of each operation fails in turn: nothing crashes, no handle is
// left open, and the operation ends with its default outcome.
TEST_F(RegistryLayer, AFailureAtAnyCallLeavesTheDefaultOutcomeAndNoOpenHandle) {
  memory_.PutValue(kCurrentUser, kKey, L"v", kRegSz, Utf16Z(L"text"));
  memory_.PutValue(kCurrentUser, kKey, L"w", kRegSz, Utf16Z(L"more"));
  struct Operation {
    const char* name;
    std::function<bool()> run;  // true when the outcome is the full one
    // The last calls, whose failure cannot change the outcome: the close, and
    // for a listing the call that would have said "no more items".
    std::size_t harmlessTail;
  };
  const std::vector<Operation> operations = {
      {"read", [&] { return registry_.ReadStringValue(kCurrentUser, kKey, L"v", L"d") == L"text"; }, 1},
      {"raw read", [&] { return registry_.ReadRawValue(kCurrentUser, kKey, L"v").has_value(); }, 1},
      {"write", [&] { return registry_.WriteStringValue(kCurrentUser, kKey + L"\\new", L"n", L"x"); }, 1},
      {"raw write", [&] { return registry_.WriteRawValue(kCurrentUser, kKey + L"\\new", L"r", RawValue{}); }, 1},
      {"enum", [&] { return registry_.EnumValues(kCurrentUser, kKey)[1].name == L"w"; }, 2},
  };
  for (const auto& operation : operations) {
    std::size_t total = 0;
    memory_.SetFaultHook([&](RegCall) -> std::optional<RegStatus> {
      ++total;
      return std::nullopt;
    });
    ASSERT_TRUE(operation.run()) << operation.name;
    EXPECT_EQ(memory_.OpenHandleCount(), 0u) << operation.name;
    for (std::size_t failing = 0; failing < total; ++failing) {
      std::size_t seen = 0;
      memory_.SetFaultHook([&](RegCall) -> std::optional<RegStatus> {
        return seen++ == failing ? std::optional<RegStatus>(kRegAccessDenied) : std::nullopt;
      });
      EXPECT_EQ(operation.run(), failing >= total - operation.harmlessTail) << operation.name << " call " << failing;
      EXPECT_EQ(memory_.OpenHandleCount(), 0u) << operation.name << " call " << failing;
    }
  }
  memory_.SetFaultHook(nullptr);
}

TEST_F(RegistryLayer, EnumValuesKeepsTheRowsListedBeforeAFailure) {
  for (const wchar_t* name : {L"a", L"b", L"c"}) memory_.PutValue(kCurrentUser, kKey, name, kRegSz, {});
  int enumCalls = 0;
  memory_.SetFaultHook([&](RegCall call) -> std::optional<RegStatus> {
    if (call == RegCall::EnumValue && ++enumCalls == 3) return kRegAccessDenied;
    return std::nullopt;
  });
  const ValueTable table = registry_.EnumValues(kCurrentUser, kKey);
  ASSERT_EQ(table.size(), kMinValueTableRows);
  EXPECT_EQ(table[0].name, L"a");
  EXPECT_EQ(table[1].name, L"b");
  EXPECT_EQ(table[2], ValueRow{});
}

TEST_F(RegistryLayer, EnumValuesGrowsItsNameBufferUpToTheLongestNameAndNoFurther) {
  const std::wstring longest(16383, L'n');
  for (const std::wstring& name : {longest, std::wstring(256, L'm'), std::wstring(L"after")}) {
    memory_.PutValue(kCurrentUser, kKey, name, kRegSz, {});
  }
  const ValueTable table = registry_.EnumValues(kCurrentUser, kKey);
  EXPECT_EQ(table[0].name, longest);
  EXPECT_EQ(table[1].name, std::wstring(256, L'm'));
  EXPECT_EQ(table[2].name, L"after");
  // A backend that keeps answering "more data" must not keep the loop going.
  for (const std::wstring& name : {std::wstring(L"first"), std::wstring(20000, L'x'), std::wstring(L"after")}) {
    memory_.PutValue(kCurrentUser, L"Odd", name, kRegSz, {});
  }
  const ValueTable odd = registry_.EnumValues(kCurrentUser, L"Odd");
  EXPECT_EQ(odd[0].name, L"first");
  EXPECT_EQ(odd[1], ValueRow{});
}

TEST_F(RegistryLayer, AValueThatChangesBetweenSizeQueryAndReadIsReadAgainOrGivesTheDefault) {
  // Grows, becomes a number, or disappears after the size query.
  for (const int change : {0, 1, 2}) {
    memory_.PutValue(kCurrentUser, kKey, L"v", kRegSz, Utf16Z(L"short"));
    int queries = 0;
    memory_.SetFaultHook([&](RegCall call) -> std::optional<RegStatus> {
      if (call != RegCall::QueryValue || ++queries != 2) return std::nullopt;
      if (change == 0) memory_.PutValue(kCurrentUser, kKey, L"v", kRegSz, Utf16Z(L"a much longer text"));
      if (change == 1) memory_.PutValue(kCurrentUser, kKey, L"v", kRegDword, std::vector<std::byte>(12, std::byte{1}));
      if (change == 2) return kRegFileNotFound;
      return std::nullopt;
    });
    EXPECT_EQ(registry_.ReadStringValue(kCurrentUser, kKey, L"v", L"d"), change == 0 ? L"a much longer text" : L"d")
        << change;
  }
  memory_.SetFaultHook(nullptr);
}

TEST(MemoryRegistry, FailNextFailsOnlyTheNextCallOfItsKind) {
  MemoryRegistry memory;
  Registry registry(memory);
  memory.FailNext(RegCall::SetValue, kRegAccessDenied);
  EXPECT_FALSE(registry.WriteStringValue(kCurrentUser, kKey, L"v", L"x"));
  EXPECT_TRUE(memory.KeyExists(kCurrentUser, kKey));  // the key was created before the failing call
  EXPECT_TRUE(memory.Values(kCurrentUser, kKey).empty());
  EXPECT_TRUE(registry.WriteStringValue(kCurrentUser, kKey, L"v", L"x"));

  memory.FailNext(RegCall::CloseKey, kRegInvalidHandle);
  KeyHandle key = 0;
  ASSERT_EQ(memory.OpenKey(kCurrentUser, kKey, key), kRegSuccess);
  EXPECT_EQ(memory.CloseKey(key), kRegInvalidHandle);
  EXPECT_EQ(memory.OpenHandleCount(), 0u);  // a failed close still lets go
}

TEST(MemoryRegistry, FoldsNamesAsWindowsDoesAndDynDataNamesNothing) {
  // Windows upper-cases ı, ſ, µ and ς to I, S, Μ and Σ when it compares
  // registry names (Wine 8 does not).
  MemoryRegistry memory;
  Registry registry(memory);
  for (const auto& [stored, asked] : std::vector<std::pair<std::wstring, std::wstring>>{
           {L"i", L"\x0131"}, {L"s", L"\x017F"}, {L"\x00B5", L"\x039C"}, {L"\x03C3", L"\x03C2"}, {L"\x00FF", L"\x0178"}}) {
    ASSERT_TRUE(registry.WriteStringValue(kCurrentUser, kKey, stored, L"found"));
    EXPECT_EQ(registry.ReadStringValue(kCurrentUser, kKey, asked, L""), L"found");
  }
  EXPECT_FALSE(registry.WriteStringValue(kDynData, L"Tavrel", L"v", L"x"));  // as on Windows NT
  KeyHandle key = 0;
  EXPECT_EQ(memory.OpenKeyEx(kDynData, L"", kKeyQueryValue, key), kRegInvalidHandle);
}

}  // namespace
}  // namespace tavrel
