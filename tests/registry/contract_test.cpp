// The registry contract: what the guard relies on from a registry backend,
// through the registry layer and, where an emulation could drift, through the
// seam's calls and their status codes. One source runs against the in-memory
// registry and, in the Windows build, against advapi32.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/text.h"
#include "registry/registry.h"
#include "registry/utf16.h"
#include "tests/registry/contract_backend.h"

namespace tavrel::test {
namespace {

using Bytes = std::vector<std::byte>;
using Text = std::wstring;
using Names = std::vector<Text>;
using Statuses = std::vector<RegStatus>;
Bytes B(std::initializer_list<int> values) {
  Bytes bytes;
  for (const int v : values) bytes.push_back(static_cast<std::byte>(v));
  return bytes;
}
// UTF-16LE of the text, with the given number of NUL code units after it.
Bytes Utf16(const std::wstring& text, int nuls = 1) {
  Bytes bytes = EncodeUtf16Le(text);
  bytes.resize(bytes.size() + 2 * static_cast<std::size_t>(nuls));
  return bytes;
}
Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

class RegistryContract : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override { GetParam().removeTree(kCurrentUser, base_); }
  void TearDown() override {
    GetParam().removeTree(kCurrentUser, base_);
    (void)Api().DeleteKey(kCurrentUser, L"Software\\TavrelContract");  // once no other test's key is left
  }
  RegistryApi& Api() { return *api_; }
  Text Path(const Text& sub = L"") const { return sub.empty() ? base_ : base_ + L"\\" + sub; }
  bool Write(const Text& sub, const Text& name, const Text& text) { return reg_.WriteStringValue(kCurrentUser, Path(sub), name, text); }
  void Put(const Text& sub, const Text& name, const RawValue& value) { ASSERT_TRUE(reg_.WriteRawValue(kCurrentUser, Path(sub), name, value)); }
  Text Read(const Text& sub, const Text& name) { return reg_.ReadStringValue(kCurrentUser, Path(sub), name, L"novalue"); }
  std::optional<RawValue> ReadRaw(const Text& sub, const Text& name) { return reg_.ReadRawValue(kCurrentUser, Path(sub), name); }
  // The names listed, after checking that the rest of the table is padding.
  Names Listed(const Text& sub, std::size_t expected, RootHandle root = kCurrentUser) {
    const ValueTable table = reg_.EnumValues(root, Path(sub));
    EXPECT_EQ(table.size(), std::max(expected, kMinValueTableRows));
    for (std::size_t i = expected; i < table.size(); ++i) EXPECT_EQ(table[i], ValueRow{}) << "row " << i;
    Names names;
    for (std::size_t i = 0; i < std::min(expected, table.size()); ++i) names.push_back(table[i].name);
    return names;
  }
  KeyHandle Create(const Text& sub, KeyHandle key = 0) { return Api().CreateKey(kCurrentUser, Path(sub), key) == kRegSuccess ? key : 0; }

  const std::unique_ptr<RegistryApi> api_ = GetParam().make();
  Registry reg_{*api_};
  const std::string test_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const Text base_ = L"Software\\TavrelContract\\" + Text(test_.begin(), test_.begin() + test_.find('/'));
};

TEST_P(RegistryContract, ValuesReadAsTextUpToTheFirstNulAndCopyWhole) {
  EXPECT_EQ((std::pair{Read(L"a\\b", L"v"), ReadRaw(L"a\\b", L"v")}), std::pair(std::wstring(L"novalue"), std::optional<RawValue>()));
  Put(L"a\\b", L"v", RawValue{kRegDword, B({1, 0, 0, 0})});  // creates every missing key
  EXPECT_TRUE(Write(L"a\\b", L"v", L"\x00E9 \U0001F600") && Write(L"a\\b", L"empty", L""));  // text and its NUL, as UTF-16LE
  EXPECT_EQ(ReadRaw(L"a\\b", L"v"), (RawValue{kRegSz, B({0xE9, 0, ' ', 0, 0x3D, 0xD8, 0x00, 0xDE, 0, 0})}));
  EXPECT_EQ(ReadRaw(L"a\\b", L"empty"), (RawValue{kRegSz, B({0, 0})}));
  const std::tuple<const wchar_t*, RawValue, Text> values[] = {  // name, value, what a string read gives
      {L"Inner NUL", {kRegSz, Utf16(std::wstring(L"ab\0cd", 5))}, L"ab"},
      {L"No NUL", {kRegSz, Utf16(L"abc", 0)}, L"abc"},
      {L"Odd size", {kRegSz, B({'a', 0, 'b', 0, 'c'})}, L"ab"},
      {L"Size zero", {kRegSz, {}}, L""},
      {L"Long without NUL", {kRegSz, Utf16(std::wstring(40000, L'y'), 0)}, std::wstring(40000, L'y')},
      {L"Dword", {kRegDword, B({0x78, 0x56, 0x34, 0x12})}, L"novalue"},
      {L"Expand", {kRegExpandSz, Utf16(L"%TEMP%")}, L"novalue"},
      {L"Multi", {kRegMultiSz, Utf16(std::wstring(L"a\0b", 3), 2)}, L"novalue"},
      {L"Binary", {kRegBinary, B({'h', 0, 'i', 0, 0, 0, 0xFF})}, L"novalue"},
      {L"None", {kRegNone, {}}, L"novalue"},
      {L"Odd type", {0x12345678u, B({9})}, L"novalue"},
  };
  for (const auto& [name, stored, text] : values) {
    Put(L"watched", name, stored);
    EXPECT_EQ(Read(L"watched", name), text) << name;
    EXPECT_TRUE(reg_.WriteRawValue(kCurrentUser, Path(L"copy"), name, ReadRaw(L"watched", name).value()));
    EXPECT_EQ(ReadRaw(L"copy", name), stored) << name;
  }
}

TEST_P(RegistryContract, ListingPadsToFiftyOneRowsAndNoNameOrDataEndsIt) {
  ASSERT_TRUE(Write(L"empty\\child", L"v", L""));
  EXPECT_EQ(Listed(L"missing", 0), Names{});
  EXPECT_EQ(Listed(L"empty", 0), Names{});
  Put(L"k", L"", RawValue{kRegSz, Utf16(L"default")});
  Put(L"k", L"Named", RawValue{kRegDword, B({1, 0, 0, 0})});
  EXPECT_EQ(reg_.EnumValues(kCurrentUser, Path(L"k"))[1], (ValueRow{kRegDword, L"Named"}));  // "" lists first either way
  Names many;
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(Write(L"many", many.emplace_back(L"value " + std::to_wstring(i)), L"x"));
  EXPECT_EQ(Sorted(Listed(L"many", many.size())), Sorted(many));
  // Created first and named to sort first, so that in either listing order shorter values come after them.
  const Names names = {L"a100 KB", L"a" + std::wstring(299, L'n'), L"a" + std::wstring(16382, L'm'), L"z after"};
  Put(L"long", names[0], RawValue{kRegBinary, Bytes(100 * 1024, std::byte{0x5A})});
  for (std::size_t i = 1; i < names.size(); ++i) Put(L"long", names[i], RawValue{kRegSz, Utf16(names[i])});
  EXPECT_EQ(Sorted(Listed(L"long", names.size())), Sorted(names));
  EXPECT_EQ(Read(L"long", names[2]), names[2]);
}

TEST_P(RegistryContract, ListingFollowsTheBackendsOrderAndARewriteKeepsItsPlace) {
  Names expected = {L"zeta", L"Alpha", L"beta", L"Gamma", L"delta", L"ALPHA2"};
  for (const auto& name : expected) ASSERT_TRUE(Write(L"", name, L""));
  ASSERT_TRUE(Write(L"", L"zeta", L"changed"));
  if (GetParam().sortsIgnoringCase) std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return ToLower(a) < ToLower(b); });
  EXPECT_EQ(Listed(L"", expected.size()), expected);
  if (GetParam().sortsIgnoringCase) return;
  reg_.DeleteValue(kCurrentUser, Path(), L"Alpha");  // a value deleted and written again is new
  ASSERT_TRUE(Write(L"", L"Alpha", L""));
  EXPECT_EQ(Listed(L"", expected.size()), (Names{L"zeta", L"beta", L"Gamma", L"delta", L"ALPHA2", L"Alpha"}));
}

TEST_P(RegistryContract, UnknownRootsAndPerformanceDataFailSilently) {
  ASSERT_TRUE(Write(L"", L"keep", L"kept"));
  for (const RootHandle root : {0u, 1u, 0x7FFFFFFFu, 0x80000007u, 0xFFFFFFFFu}) {
    EXPECT_EQ((std::tuple{reg_.WriteStringValue(root, Path(), L"new", L"x"), reg_.WriteRawValue(root, Path(), L"new", RawValue{}),
                          reg_.ReadStringValue(root, Path(), L"keep", L"novalue"), reg_.ReadRawValue(root, Path(), L"keep")}),
              (std::tuple{false, false, Text(L"novalue"), std::optional<RawValue>()})) << root;
    EXPECT_EQ(Listed(L"", 0, root), Names{}) << root;
    reg_.DeleteValue(root, Path(), L"keep");
    reg_.DeleteKey(root, Path());
  }
  EXPECT_EQ((std::tuple{reg_.WriteStringValue(kPerformanceData, L"", L"Tavrel", L"x"),
                        reg_.WriteStringValue(kPerformanceData, L"Software\\Tavrel", L"v", L"x"),
                        reg_.ReadStringValue(kPerformanceData, L"", L"Tavrel", L"novalue"), reg_.EnumValues(kPerformanceData, L"")}),
            (std::tuple{false, false, Text(L"novalue"), ValueTable(kMinValueTableRows)}));
  EXPECT_EQ((std::pair{Listed(L"", 1), Read(L"", L"keep")}), std::pair(Names{L"keep"}, std::wstring(L"kept")));
}

TEST_P(RegistryContract, DeletesRemoveOnlyTheirTargetAndKeysWithSubkeysStay) {
  for (const wchar_t* name : {L"One", L"Two", L""}) ASSERT_TRUE(Write(L"", name, L"v"));
  ASSERT_TRUE(Write(L"parent", L"p", L"parent value"));
  ASSERT_TRUE(Write(L"parent\\child", L"c", L"child value"));
  reg_.DeleteValue(kCurrentUser, Path(L"missing"), L"Two");
  reg_.DeleteKey(kCurrentUser, Path(L"missing\\deeper"));
  for (const wchar_t* name : {L"missing value", L"ONE", L""}) reg_.DeleteValue(kCurrentUser, Path(), name);
  EXPECT_EQ(Listed(L"", 1), Names{L"Two"});
  reg_.DeleteKey(kCurrentUser, Path(L"parent"));
  EXPECT_EQ(Read(L"parent", L"p"), L"parent value");
  reg_.DeleteKey(kCurrentUser, Path(L"PARENT\\Child"));
  reg_.DeleteKey(kCurrentUser, Path(L"parent"));
  EXPECT_EQ((std::pair{Read(L"parent\\child", L"c"), Read(L"parent", L"p")}), std::pair(std::wstring(L"novalue"), std::wstring(L"novalue")));
  ASSERT_TRUE(Write(L"parent", L"q", L""));  // a new key, without the old values
  EXPECT_EQ(Listed(L"parent", 1), Names{L"q"});
}

TEST_P(RegistryContract, NamesOutsideTheAnsiCodePageRoundTripAndFoldCaseKeepingTheirFirstSpelling) {
  const Names names = {L"Upd\x0430ter", L"\x66F4\x65B0", L"smile \U0001F600", L"\x00C9t\x00E9"};
  const std::wstring sub = L"Caf\x00E9\\\x0416\x0443\x043A";
  for (const auto& name : names) ASSERT_TRUE(Write(sub, name, L"of " + name));
  for (const auto& name : names) EXPECT_EQ(Read(sub, name), L"of " + name);
  EXPECT_EQ(Read(sub, L"Updater"), L"novalue");  // the Cyrillic look-alike is another name
  EXPECT_EQ(Read(sub, L"Ete"), L"novalue");
  EXPECT_EQ(Read(L"CAF\x00C9\\\x0436\x0423\x041A", L"\x00E9T\x00C9"), L"of \x00C9t\x00E9");
  ASSERT_TRUE(Write(L"caf\x00C9\\\x0436\x0423\x041A", L"\x00E9T\x00C9", L"2"));
  EXPECT_EQ(Sorted(Listed(sub, names.size())), Sorted(names));
  EXPECT_EQ(Read(sub, L"\x00C9t\x00E9"), L"2");
}

// The calls themselves. Statuses are gathered in braces, so in call order.
TEST_P(RegistryContract, OpenCreateAndDeleteKeyCalls) {
  ASSERT_TRUE(Write(L"a\\b", L"v", L"here"));
  KeyHandle key = 0, same = 0;
  const std::wstring tooLong = Path(std::wstring(257, L'k'));
  EXPECT_EQ((Statuses{Api().OpenKey(kCurrentUser, Path(L"missing"), key),
                      Api().OpenKeyEx(kCurrentUser, Path(L"missing\\deeper"), kKeyQueryValue, key),
                      Api().OpenKey(kCurrentUser, L"\\" + Path(L"a"), key), Api().CreateKey(kCurrentUser, L"\\" + Path(L"n"), key),
                      Api().CreateKey(kCurrentUser, tooLong, key), Api().OpenKey(kCurrentUser, tooLong, key),
                      Api().DeleteKey(kCurrentUser, Path(L"a")), Api().DeleteKey(kCurrentUser, Path(L"missing")),
                      Api().DeleteKey(kCurrentUser, L""), Api().CloseKey(0)}),
            (Statuses{kRegFileNotFound, kRegFileNotFound, kRegBadPathname, kRegBadPathname, kRegInvalidParameter,
                      kRegInvalidParameter, kRegAccessDenied, kRegFileNotFound, kRegAccessDenied, kRegInvalidHandle}));
  EXPECT_EQ(Read(L"a\\\\b\\", L"v"), L"here");  // repeated and trailing separators
  EXPECT_TRUE(Write(std::wstring(255, L'k'), std::wstring(16383, L'v'), L""));
  EXPECT_FALSE(Write(L"", std::wstring(16384, L'v'), L""));
  // An empty path: RegOpenKey gives the handle back, RegOpenKeyEx a root itself or a new handle.
  key = Create(L"a");
  EXPECT_EQ((std::pair{Api().OpenKey(key, L"", same), same}), std::pair(kRegSuccess, key));
  EXPECT_EQ((std::pair{Api().OpenKeyEx(kCurrentUser, L"", kKeyQueryValue, same), same}), std::pair(kRegSuccess, KeyHandle{kCurrentUser}));
  ASSERT_EQ(Api().OpenKeyEx(key, L"", kKeyQueryValue, same), kRegSuccess);
  EXPECT_NE(same, key);
  EXPECT_EQ((Statuses{Api().CloseKey(same), Api().DeleteKey(key, L"b\\"), Api().DeleteKey(key, L""), Api().CloseKey(key),
                      Api().CloseKey(kCurrentUser), Api().OpenKey(kCurrentUser, Path(L"a"), key)}),
            (Statuses{0, 0, 0, 0, 0, kRegFileNotFound}));  // an empty path deletes the key the handle names
}

TEST_P(RegistryContract, QueryAndEnumCallsReportSizesAndFillOnlyBuffersThatFit) {
  Put(L"", L"Name10chrs", RawValue{kRegSz, Utf16(L"abc", 0)});
  const KeyHandle key = Create(L"");
  std::uint32_t type = 0, size = 0, length = 10;
  Bytes buffer(4, std::byte{0x55});
  std::vector<wchar_t> name(20, L'#');
  const auto query = [&](std::byte* data, std::uint32_t room) { return Api().QueryValue(key, L"Name10chrs", &type, data, &(size = room)); };
  EXPECT_EQ((std::tuple{query(nullptr, 0), type, size}), std::tuple(kRegSuccess, kRegSz, 6u));
  EXPECT_EQ((std::tuple{query(buffer.data(), 4), buffer, size}), std::tuple(kRegMoreData, Bytes(4, std::byte{0x55}), 6u));
  buffer.assign(10, std::byte{0x55});  // with room to spare, unterminated string data gets a NUL after it
  EXPECT_EQ((std::tuple{query(buffer.data(), 10), buffer, size}), std::tuple(kRegSuccess, B({'a', 0, 'b', 0, 'c', 0, 0, 0, 0x55, 0x55}), 6u));
  EXPECT_EQ((Statuses{Api().QueryValue(key, L"missing", &type, nullptr, &size), Api().QueryValue(key, L"Name10chrs", &type, buffer.data(), nullptr),
                      Api().SetValue(key, L"t", kRegSz, nullptr, 4), Api().SetValue(key, L"t", kRegSz, nullptr, 0)}),
            (Statuses{kRegFileNotFound, kRegInvalidParameter, kRegNoAccess, kRegSuccess}));
  const auto list = [&](std::uint32_t index, std::uint32_t room, std::byte* data, std::uint32_t* dataSize) {
    return Api().EnumValue(key, index, name.data(), &(length = room), &type, data, dataSize);
  };
  // No room for the name's NUL: neither name nor length is written, but the data size is.
  EXPECT_EQ((std::tuple{list(0, 10, buffer.data(), &(size = 2)), length, name[0], size}), std::tuple(kRegMoreData, 10u, L'#', 6u));
  EXPECT_EQ((std::tuple{list(0, 11, buffer.data(), &(size = 2)), std::wstring(name.data()), length, size}),
            std::tuple(kRegMoreData, std::wstring(L"Name10chrs"), 10u, 6u));
  EXPECT_EQ((Statuses{list(0, 11, nullptr, nullptr), list(0, 11, buffer.data(), nullptr), list(2, 20, nullptr, nullptr)}),
            (Statuses{kRegSuccess, kRegInvalidParameter, kRegNoMoreItems}));
  EXPECT_EQ((std::pair{length, Api().CloseKey(key)}), std::pair(20u, kRegSuccess));
}

TEST_P(RegistryContract, HandlesOfDeletedClosedOrQueryOnlyKeysRefuseWhatTheyCannotDo) {
  ASSERT_TRUE(Write(L"gone", L"v", L"x"));
  KeyHandle key = Create(L"gone"), sub = 0, queryOnly = 0, setOnly = 0;
  ASSERT_EQ(Api().OpenKeyEx(kCurrentUser, Path(), kKeyQueryValue, queryOnly), kRegSuccess);
  ASSERT_EQ(Api().OpenKeyEx(kCurrentUser, Path(), kKeySetValue, setOnly), kRegSuccess);
  EXPECT_EQ(Api().DeleteKey(kCurrentUser, Path(L"gone")), kRegSuccess);
  ASSERT_TRUE(Write(L"gone", L"v", L"again"));  // a new key of that name: the old handle stays dead
  std::uint32_t size = 0, length = 8;
  wchar_t name[8];
  const auto query = [&](KeyHandle k) { return Api().QueryValue(k, L"v", nullptr, nullptr, &size); };
  const auto list = [&](KeyHandle k) { return Api().EnumValue(k, 0, name, &length, nullptr, nullptr, nullptr); };
  const auto set = [&](KeyHandle k) { return Api().SetValue(k, L"w", kRegSz, B({0, 0}).data(), 2); };
  EXPECT_EQ((Statuses{query(key), set(key), list(key), Api().DeleteValue(key, L"v"), Api().CreateKey(key, L"sub", sub),
                      Api().OpenKeyEx(key, L"", kKeyQueryValue, sub), Api().CloseKey(key), Api().CloseKey(key), query(key),
                      Api().OpenKeyEx(key, L"x", kKeyQueryValue, sub)}),
            (Statuses{kRegKeyDeleted, kRegKeyDeleted, kRegKeyDeleted, kRegKeyDeleted, kRegKeyDeleted, kRegKeyDeleted, kRegSuccess,
                      kRegInvalidHandle, kRegInvalidHandle, kRegInvalidHandle}));
  EXPECT_EQ((Statuses{set(queryOnly), Api().DeleteValue(queryOnly, L"v"), query(queryOnly), query(setOnly), list(setOnly),
                      Api().CloseKey(queryOnly), Api().CloseKey(setOnly)}),
            (Statuses{kRegAccessDenied, kRegAccessDenied, kRegFileNotFound, kRegAccessDenied, kRegAccessDenied, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryContract, ::testing::ValuesIn(AvailableBackends()),
                         [](const auto& backend) { return backend.param.name; });

}  // namespace
}  // namespace tavrel::test
