// The registry contract: what the guard relies on from a backend, through the layer and, where an emulation
// could drift, through the seam's status codes. It runs on the in-memory registry and, on Windows, advapi32.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "platform/text.h"
#include "registry/key_handle.h"
#include "registry/registry.h"
#include "registry/utf16.h"
#include "tests/registry/contract_backend.h"

namespace tavrel::test {
namespace {

using namespace std::string_view_literals;

using Bytes = std::vector<std::byte>;
using Text = std::wstring;
using Names = std::vector<Text>;
using Statuses = std::vector<RegStatus>;
Bytes B(std::string_view bytes) {
  const auto* first = reinterpret_cast<const std::byte*>(bytes.data());
  return {first, first + bytes.size()};
}
// UTF-16LE of the text, with the given number of NUL code units after it.
Bytes Utf16(const Text& text, std::size_t nuls = 1) { return EncodeUtf16Le(text + Text(nuls, L'\0')); }
std::multiset<Text> Set(const Names& names) { return {names.begin(), names.end()}; }

class RegistryContract : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override { GetParam().removeTree(kCurrentUser, base_); }
  void TearDown() override {
    GetParam().removeTree(kCurrentUser, base_);
    (void)Api().DeleteKey(kCurrentUser, L"Software\\TavrelContract");  // once no other test's key is left
  }
  RegistryApi& Api() { return *api_; }
  Text Path(const Text& sub = L"") const { return sub.empty() ? base_ : base_ + L"\\" + sub; }
  bool Write(const Text& sub, const Text& name, const Text& text) {
    return reg_.WriteStringValue(kCurrentUser, Path(sub), name, text);
  }
  void Put(const Text& sub, const Text& name, const RawValue& value) {
    ASSERT_TRUE(reg_.WriteRawValue(kCurrentUser, Path(sub), name, value));
  }
  Text Read(const Text& sub, const Text& name) {
    return reg_.ReadStringValue(kCurrentUser, Path(sub), name, L"novalue");
  }
  std::optional<RawValue> ReadRaw(const Text& sub, const Text& name) {
    return reg_.ReadRawValue(kCurrentUser, Path(sub), name);
  }
  Names Listed(const Text& sub, RootHandle root = kCurrentUser) {
    Names names;
    for (const ValueRow& row : reg_.EnumValues(root, Path(sub))) names.push_back(row.name);
    return names;
  }

  const std::unique_ptr<RegistryApi> api_ = GetParam().make();
  Registry reg_{*api_};
  const std::string test_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const Text base_ = L"Software\\TavrelContract\\" + Text(test_.begin(), std::find(test_.begin(), test_.end(), '/'));
};

TEST_P(RegistryContract, ValuesReadAsTextUpToTheFirstNulAndCopyWhole) {
  Put(L"a\\b", L"v", RawValue{kRegDword, B("\1\0\0\0"sv)});  // creates every missing key
  EXPECT_TRUE(Write(L"a\\b", L"v", L"\x00E9 \U0001F600\U0010FFFF") &&
              Write(L"a\\b", L"empty", L""));  // text and NUL, as UTF-16LE
  EXPECT_EQ(ReadRaw(L"a\\b", L"v"), (RawValue{kRegSz, B("\xE9\x00 \x00\x3D\xD8\x00\xDE\xFF\xDB\xFF\xDF\x00\x00"sv)}));
  EXPECT_EQ(ReadRaw(L"a\\b", L"empty"), (RawValue{kRegSz, B("\0\0"sv)}));
  const std::tuple<const wchar_t*, RawValue, Text> values[] = {
      // name, value, what a string read gives
      {L"Inner NUL", {kRegSz, Utf16(std::wstring(L"ab\0cd", 5))}, L"ab"},
      {L"Odd size", {kRegSz, B("a\0b\0c"sv)}, L"ab"},
      {L"Size zero", {kRegSz, {}}, L""},
      {L"Long without NUL", {kRegSz, Utf16(std::wstring(40000, L'y'), 0)}, std::wstring(40000, L'y')},
      {L"Expand", {kRegExpandSz, Utf16(L"%TEMP%")}, L"novalue"},
      {L"Binary", {kRegBinary, B("h\0i\0\0\0\xFF"sv)}, L"novalue"}};
  for (const auto& [name, stored, text] : values) {
    Put(L"watched", name, stored);
    EXPECT_EQ(Read(L"watched", name), text) << name;
    EXPECT_TRUE(reg_.WriteRawValue(kCurrentUser, Path(L"copy"), name, ReadRaw(L"watched", name).value()));
    EXPECT_EQ(ReadRaw(L"copy", name), stored) << name;
  }
}

TEST_P(RegistryContract, ListingHoldsExactlyTheValuesAndNoNameOrDataEndsIt) {
  ASSERT_TRUE(Write(L"k", L"", L"default") &&
              reg_.WriteRawValue(kCurrentUser, Path(L"k"), L"Named", RawValue{kRegDword, B("\1\0\0\0"sv)}));
  EXPECT_EQ(reg_.EnumValues(kCurrentUser, Path(L"k")),
            (ValueTable{{kRegSz, L""}, {kRegDword, L"Named"}}));  // "" lists first either way
  Names many;
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(Write(L"many", many.emplace_back(L"value " + std::to_wstring(i)), L"x"));
  EXPECT_EQ(Set(Listed(L"many")), Set(many));
  // Created first and named to sort first, so that in either listing order shorter values come after them.
  const Names names = {L"a100 KB", L"a" + std::wstring(299, L'n'), L"a" + std::wstring(16382, L'm'), L"z after"};
  std::multimap<Text, std::optional<Bytes>> stored, read;  // listed with their data: each value whole
  for (const Text& name : names) {
    const Bytes data = name == names[0] ? Bytes(100 * 1024, std::byte{0x5A}) : Utf16(name);
    Put(L"long", name, RawValue{name == names[0] ? kRegBinary : kRegSz, data});
    stored.emplace(name, data);
  }
  for (const ValueRow& row : reg_.ReadValues(kCurrentUser, Path(L"long"))) read.emplace(row.name, row.data);
  EXPECT_EQ(std::tuple(Set(Listed(L"long")), read, Read(L"long", names[2])), std::tuple(Set(names), stored, names[2]));
}

TEST_P(RegistryContract, ListingFollowsTheBackendsOrderAndARewriteKeepsItsPlace) {
  Names expected = {L"zeta", L"Alpha", L"beta", L"Gamma", L"delta", L"ALPHA2"};
  for (const auto& name : expected) ASSERT_TRUE(Write(L"", name, L""));
  ASSERT_TRUE(Write(L"", L"zeta", L"changed"));
  if (GetParam().sortsIgnoringCase)
    std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return ToLower(a) < ToLower(b); });
  EXPECT_EQ(Listed(L""), expected);
  if (GetParam().sortsIgnoringCase) return;
  reg_.DeleteValue(kCurrentUser, Path(), L"Alpha");  // a value deleted and written again is new
  ASSERT_TRUE(Write(L"", L"Alpha", L""));
  EXPECT_EQ(Listed(L""), (Names{L"zeta", L"beta", L"Gamma", L"delta", L"ALPHA2", L"Alpha"}));
}

TEST_P(RegistryContract, UnknownRootsAndPerformanceDataFailSilently) {
  ASSERT_TRUE(Write(L"", L"keep", L"kept"));
  for (const RootHandle root : {0u, 1u, 0x7FFFFFFFu, 0x80000007u, 0xFFFFFFFFu}) {
    EXPECT_EQ(
        (std::tuple{reg_.WriteStringValue(root, Path(), L"new", L"x"),
                    reg_.WriteRawValue(root, Path(), L"new", RawValue{}),
                    reg_.ReadStringValue(root, Path(), L"keep", L"novalue"), reg_.ReadRawValue(root, Path(), L"keep")}),
        (std::tuple{false, false, Text(L"novalue"), std::optional<RawValue>()}))
        << root;
    EXPECT_EQ(Listed(L"", root), Names{}) << root;
    reg_.DeleteValue(root, Path(), L"keep"), reg_.DeleteKey(root, Path());
  }
  EXPECT_EQ(std::pair(reg_.WriteStringValue(kPerformanceData, L"Software\\Tavrel", L"v", L"x"),
                      reg_.EnumValues(kPerformanceData, L"")),
            std::pair(false, ValueTable{}));
  EXPECT_EQ((std::pair{Listed(L""), Read(L"", L"keep")}), std::pair(Names{L"keep"}, std::wstring(L"kept")));
}

TEST_P(RegistryContract, DeletesRemoveOnlyTheirTargetAndKeysWithSubkeysStay) {
  for (const wchar_t* name : {L"One", L"Two", L""}) ASSERT_TRUE(Write(L"", name, L"v"));
  ASSERT_TRUE(Write(L"parent", L"p", L"parent value") && Write(L"parent\\child", L"c", L"child value"));
  for (const wchar_t* name : {L"missing value", L"ONE", L""}) reg_.DeleteValue(kCurrentUser, Path(), name);
  EXPECT_EQ(Listed(L""), Names{L"Two"});
  reg_.DeleteKey(kCurrentUser, Path(L"parent"));
  EXPECT_EQ(Read(L"parent", L"p"), L"parent value");
  reg_.DeleteKey(kCurrentUser, Path(L"PARENT\\Child")), reg_.DeleteKey(kCurrentUser, Path(L"parent"));
  EXPECT_EQ((std::pair{Read(L"parent\\child", L"c"), Read(L"parent", L"p")}),
            std::pair(std::wstring(L"novalue"), std::wstring(L"novalue")));
}

// A link, as the key itself or as a key on its path, is never gone through: reads give their defaults, writes and
// deletes do nothing (the link stays a link) and what the link names keeps what it held. A name with a NUL inside is
// listed whole beside the value its first part names ("Run") and never read, written or deleted: the seam's own calls
// end such a name at its NUL, as advapi32 does ("Run" goes).
TEST_P(RegistryContract, NothingGoesThroughALinkOrANameWithANul) {
  ASSERT_TRUE(Write(L"target", L"v", L"target value") && Write(L"target\\child", L"v", L"child value") &&
              Write(L"", L"Run", L"plain"));
  KeyHandle raw = 0;  // planted as the registry stores a link: its target's full name, without a NUL
  ASSERT_EQ(Api().CreateKeyEx(kCurrentUser, Path(L"link"), kRegOptionCreateLink, kKeySetValue, raw), kRegSuccess);
  const ScopedKey link(Api(), raw);
  const Bytes target = Utf16(GetParam().currentUser + L"\\" + Path(L"target"), 0);
  ASSERT_EQ(Api().SetValue(link.Get(), L"SymbolicLinkValue", kRegLink, target.data(), std::uint32_t(target.size())),
            kRegSuccess);
  for (const Text sub : {L"LINK\\child\\new", L"link\\child", L"link"}) {  // the link's own key last
    EXPECT_EQ(
        (std::tuple{reg_.PathHasLink(kCurrentUser, Path(sub)), Read(sub, L"v"), Listed(sub), Write(sub, L"new", L"x")}),
        (std::tuple{true, Text(L"novalue"), Names{}, false}))
        << ToAnsi(sub);
    reg_.DeleteValue(kCurrentUser, Path(sub), L"v"), reg_.DeleteKey(kCurrentUser, Path(sub));
  }
  EXPECT_EQ(
      (std::tuple{reg_.PathHasLink(kCurrentUser, Path(L"link")), reg_.PathHasLink(kCurrentUser, Path(L"target\\child")),
                  Listed(L"target"), Read(L"target", L"v"), Listed(L"target\\child"), Read(L"target\\child", L"v"),
                  Api().OpenKeyEx(kCurrentUser, Path(L"target\\child\\new"), 0, kKeyQueryValue, raw)}),
      (std::tuple{true, false, Names{L"v"}, Text(L"target value"), Names{L"v"}, Text(L"child value"),
                  kRegFileNotFound}));
  (void)Api().DeleteKey(link.Get(), L"");  // the link itself, as Wine deletes it (RegDeleteTreeW would go through it)
  const Text hidden(L"Run\0evil", 8);
  if (auto* memory = dynamic_cast<MemoryRegistry*>(&Api())) memory->PutValue(kCurrentUser, Path(), hidden, kRegSz, {});
  if (GetParam().putExactName) GetParam().putExactName(Api(), Path(), hidden);
  reg_.DeleteValue(kCurrentUser, Path(), hidden);
  EXPECT_EQ(
      (std::tuple{Read(L"", hidden), ReadRaw(L"", hidden), Write(L"", hidden, L"x"), Listed(L""), Read(L"", L"Run")}),
      (std::tuple{Text(L"novalue"), std::optional<RawValue>(), false, Names{L"Run", hidden}, Text(L"plain")}));
  ASSERT_EQ(Api().OpenKeyEx(kCurrentUser, Path(), 0, kKeySetValue, raw), kRegSuccess);
  const ScopedKey key(Api(), raw);
  EXPECT_EQ((std::pair{Api().DeleteValue(key.Get(), hidden), Listed(L"")}), std::pair(kRegSuccess, Names{hidden}));
}

// The calls themselves, where the layer relies on their status codes and sizes (gathered in braces: in call order).
TEST_P(RegistryContract, CallsReportSizesFillOnlyBuffersThatFitAndRefuseDeadHandles) {
  Put(L"k", L"Name10chrs", RawValue{kRegSz, Utf16(L"abc", 0)});
  KeyHandle key = 0, queryOnly = 0, sub = 0;
  ASSERT_EQ(Api().CreateKeyEx(kCurrentUser, Path(L"k"), 0, kKeyQueryValue | kKeySetValue, key), kRegSuccess);
  ASSERT_EQ(Api().OpenKeyEx(kCurrentUser, Path(L"k"), 0, kKeyQueryValue, queryOnly), kRegSuccess);
  std::uint32_t type = 0, size = 0, length = 10;
  Bytes buffer(10, std::byte{0x55});
  std::vector<wchar_t> name(20, L'#');
  const auto query = [&](std::byte* data, std::uint32_t room) {
    return Api().QueryValue(key, L"Name10chrs", &type, data, &(size = room));
  };
  EXPECT_EQ((std::tuple{query(nullptr, 0), type, size}), std::tuple(kRegSuccess, kRegSz, 6u));
  EXPECT_EQ((std::tuple{query(buffer.data(), 4), buffer, size}),
            std::tuple(kRegMoreData, Bytes(10, std::byte{0x55}), 6u));
  // With room to spare, unterminated string data gets a NUL after it; the size stays the stored one.
  EXPECT_EQ((std::tuple{query(buffer.data(), 10), buffer, size}), std::tuple(kRegSuccess, B("a\0b\0c\0\0\0UU"sv), 6u));
  const auto list = [&](KeyHandle k, std::uint32_t index, std::uint32_t room) {
    return Api().EnumValue(k, index, name.data(), &(length = room), &type, nullptr, nullptr);
  };
  // No room for the name's NUL: neither the name nor its length is written.
  EXPECT_EQ((std::tuple{list(key, 0, 10), length, name[0]}), std::tuple(kRegMoreData, 10u, L'#'));
  EXPECT_EQ((std::tuple{list(key, 0, 11), std::wstring(name.data()), length}),
            std::tuple(kRegSuccess, std::wstring(L"Name10chrs"), 10u));
  // A key is deleted through its own handle, as the layer deletes one (never by a name that a link could redirect).
  EXPECT_EQ((Statuses{list(key, 1, 20), Api().QueryValue(key, L"missing", &type, nullptr, &size),
                      Api().SetValue(queryOnly, L"w", kRegSz, B("\0\0"sv).data(), 2),
                      Api().DeleteValue(queryOnly, L"Name10chrs"), Api().DeleteKey(kCurrentUser, Path(L"gone")),
                      Api().DeleteKey(kCurrentUser, Path()), Api().DeleteKey(queryOnly, L""), query(nullptr, 0),
                      list(queryOnly, 0, 20), Api().DeleteValue(key, L"Name10chrs"),
                      Api().CreateKeyEx(key, L"sub", 0, kKeySetValue, sub), Api().CloseKey(key), Api().CloseKey(key),
                      query(nullptr, 0), Api().CloseKey(queryOnly)}),
            (Statuses{kRegNoMoreItems, kRegFileNotFound, kRegAccessDenied, kRegAccessDenied, kRegFileNotFound,
                      kRegAccessDenied, kRegSuccess, kRegKeyDeleted, kRegKeyDeleted, kRegKeyDeleted, kRegKeyDeleted,
                      kRegSuccess, kRegInvalidHandle, kRegInvalidHandle, kRegSuccess}));
  // Names up to 255 characters for a key and 16383 for a value; repeated and trailing separators are skipped.
  EXPECT_TRUE(Write(L"a\\b", L"v", L"x") && Write(std::wstring(255, L'k'), std::wstring(16383, L'v'), L""));
  EXPECT_EQ(std::pair(Read(L"a\\\\b\\", L"v"), Write(L"", std::wstring(16384, L'v'), L"")),
            std::pair(Text(L"x"), false));
}

// Only the in-memory registry can change a value between two calls, or hold an overlong name.
// Between the size query and the read the value grows, shrinks, becomes a number or goes: the
// read tries again with the new size, keeps only the bytes filled, or gives the default.
TEST(RegistryLayer, AValueThatChangesBetweenSizeQueryAndReadIsReadAsItIsNow) {
  MemoryRegistry memory;
  Registry registry(memory);
  const std::pair<RawValue, Text> changes[] = {{{kRegSz, Utf16(L"a much longer text")}, L"a much longer text"},
                                               {{kRegSz, Utf16(L"ab")}, L"ab"},
                                               {{kRegDword, Bytes(12, std::byte{1})}, L"d"},
                                               {{kRegNone, {}}, L"d"}};  // gone
  for (const auto& [now, text] : changes) {
    const auto arm = [&memory, change = now] {
      memory.PutValue(kCurrentUser, L"K", L"v", kRegSz, Utf16(L"short"));
      memory.SetFaultHook([&memory, change, queries = 0](RegCall call) mutable -> std::optional<RegStatus> {
        if (call != RegCall::QueryValue || ++queries != 3) return std::nullopt;  // after the link check and size query
        if (change.type == kRegNone) return kRegFileNotFound;
        memory.PutValue(kCurrentUser, L"K", L"v", change.type, change.bytes);
        return std::nullopt;
      });
    };
    arm();
    EXPECT_EQ(registry.ReadStringValue(kCurrentUser, L"K", L"v", L"d"), text);
    arm();
    EXPECT_EQ(registry.ReadRawValue(kCurrentUser, L"K", L"v"), now.type ? std::optional(now) : std::nullopt);
  }
  memory.SetFaultHook(nullptr);
  // A backend that keeps answering "more data" for a name must not keep the listing going.
  const std::wstring names[] = {L"first", std::wstring(20000, L'x'), L"after"};
  for (const std::wstring& name : names) memory.PutValue(kCurrentUser, L"Long", name, kRegSz, {});
  EXPECT_EQ(registry.EnumValues(kCurrentUser, L"Long"), (ValueTable{{kRegSz, L"first"}}));
  // Data that keeps growing while it is listed is listed unread; the values after it are still read.
  memory.PutValue(kCurrentUser, L"Grow", L"v", kRegBinary, {});
  memory.PutValue(kCurrentUser, L"Grow", L"w", kRegSz, Utf16(L"w"));
  memory.SetFaultHook([&memory, size = std::size_t{0}](RegCall) mutable {
    memory.PutValue(kCurrentUser, L"Grow", L"v", kRegBinary, Bytes(size += 2048));
    return std::optional<RegStatus>();
  });
  EXPECT_EQ(registry.ReadValues(kCurrentUser, L"Grow"), (ValueTable{{kRegBinary, L"v"}, {kRegSz, L"w", Utf16(L"w")}}));
  memory.SetFaultHook(nullptr);
  EXPECT_FALSE(registry.WriteStringValue(kDynData, L"Tavrel", L"v", L"x"));  // as on Windows NT
  EXPECT_EQ(EncodeUtf16Le(DecodeUtf16Le(B("\x3D\xD8x\0"sv))),
            B("\x3D\xD8x\0"sv));  // a lone surrogate (another program's name) survives
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryContract, ::testing::ValuesIn(AvailableBackends()),
                         [](const auto& backend) { return backend.param.name; });

}  // namespace
}  // namespace tavrel::test
