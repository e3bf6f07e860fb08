// The registry contract: what the guard relies on from a registry backend,
// checked through the registry layer and, where the emulation could drift,
// through the seam's calls and their status codes. The same source runs
// against the in-memory registry and, in the Windows build, against advapi32.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/text.h"
#include "registry/registry.h"
#include "registry/utf16.h"
#include "tests/registry/contract_backend.h"

namespace tavrel::test {
namespace {

std::vector<std::byte> Bytes(std::initializer_list<int> values) {
  std::vector<std::byte> bytes;
  for (const int v : values) bytes.push_back(static_cast<std::byte>(v));
  return bytes;
}

// UTF-16LE of the text, with the given number of NUL code units after it.
std::vector<std::byte> Utf16(const std::wstring& text, int nuls = 1) {
  std::vector<std::byte> bytes = EncodeUtf16Le(text);
  bytes.resize(bytes.size() + 2 * static_cast<std::size_t>(nuls));
  return bytes;
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class RegistryContract : public ::testing::TestWithParam<BackendFactory> {
 protected:
  void SetUp() override {
    backend_ = GetParam().make();
    registry_ = std::make_unique<Registry>(backend_->Api());
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    name = name.substr(0, name.find('/'));
    base_ = L"Software\\TavrelContract\\" + Widen(name);
    backend_->RemoveTree(kCurrentUser, base_);
  }
  void TearDown() override {
    backend_->RemoveTree(kCurrentUser, base_);
    // Only when no other test still has its key there.
    (void)Api().DeleteKey(kCurrentUser, L"Software\\TavrelContract");
  }

  RegistryApi& Api() { return backend_->Api(); }
  Registry& Reg() { return *registry_; }
  [[nodiscard]] std::wstring Path(const std::wstring& sub = L"") const {
    return sub.empty() ? base_ : base_ + L"\\" + sub;
  }
  void Put(const std::wstring& sub, const std::wstring& name, std::uint32_t type, std::vector<std::byte> bytes) {
    ASSERT_TRUE(Reg().WriteRawValue(kCurrentUser, Path(sub), name, RawValue{type, std::move(bytes)}));
  }
  [[nodiscard]] std::wstring Read(const std::wstring& sub, const std::wstring& name) {
    return Reg().ReadStringValue(kCurrentUser, Path(sub), name, L"novalue");
  }
  // The rows that name values; the rest of the table must be padding.
  [[nodiscard]] std::vector<ValueRow> Listed(const std::wstring& sub, std::size_t expected) {
    const ValueTable table = Reg().EnumValues(kCurrentUser, Path(sub));
    EXPECT_EQ(table.size(), std::max(expected, kMinValueTableRows));
    const std::size_t listed = std::min(expected, table.size());
    for (std::size_t i = listed; i < table.size(); ++i) EXPECT_EQ(table[i], ValueRow{}) << "row " << i;
    return {table.begin(), table.begin() + static_cast<std::ptrdiff_t>(listed)};
  }
  [[nodiscard]] std::vector<std::wstring> ListedNames(const std::wstring& sub, std::size_t expected) {
    std::vector<std::wstring> names;
    for (const ValueRow& row : Listed(sub, expected)) names.push_back(row.name);
    return names;
  }
  [[nodiscard]] static std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
    std::sort(names.begin(), names.end());
    return names;
  }
  [[nodiscard]] KeyHandle OpenOrFail(const std::wstring& sub) {
    KeyHandle key = 0;
    EXPECT_EQ(Api().CreateKey(kCurrentUser, Path(sub), key), kRegSuccess);
    return key;
  }

  std::unique_ptr<ContractBackend> backend_;
  std::unique_ptr<Registry> registry_;
  std::wstring base_;
};

TEST_P(RegistryContract, StringValuesReadUpToTheirFirstNulAndOtherTypesGiveTheDefault) {
  EXPECT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"Three", L"abc"));
  EXPECT_EQ(Reg().ReadRawValue(kCurrentUser, Path(), L"Three"), (RawValue{kRegSz, Utf16(L"abc")}));
  EXPECT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"Empty", L""));
  EXPECT_EQ(Reg().ReadRawValue(kCurrentUser, Path(), L"Empty"), (RawValue{kRegSz, Bytes({0, 0})}));
  Put(L"", L"Was Dword", kRegDword, Bytes({1, 0, 0, 0}));
  EXPECT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"Was Dword", L"now text"));
  Put(L"", L"Inner NUL", kRegSz, Utf16(std::wstring(L"ab\0cd", 5)));
  Put(L"", L"No NUL", kRegSz, Utf16(L"abc", 0));
  Put(L"", L"Odd size", kRegSz, Bytes({'a', 0, 'b', 0, 'c'}));
  Put(L"", L"One byte", kRegSz, Bytes({'a'}));
  Put(L"", L"Size zero", kRegSz, {});
  // 100 KB of data, its NUL far past 32767; and long data without a NUL.
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"Long", std::wstring(50000, L'x')));
  Put(L"", L"Long without NUL", kRegSz, Utf16(std::wstring(40000, L'y'), 0));
  const std::vector<std::pair<std::wstring, std::wstring>> expected = {
      {L"Three", L"abc"},   {L"Empty", L""},       {L"Was Dword", L"now text"},
      {L"Inner NUL", L"ab"}, {L"No NUL", L"abc"},   {L"Odd size", L"ab"},
      {L"One byte", L""},    {L"Size zero", L""},   {L"Missing", L"novalue"},
      {L"Long", std::wstring(50000, L'x')},          {L"Long without NUL", std::wstring(40000, L'y')}};
  for (const auto& [name, text] : expected) EXPECT_EQ(Read(L"", name), text) << Narrow(name);
  EXPECT_EQ(Reg().ReadRawValue(kCurrentUser, Path(), L"No NUL"), (RawValue{kRegSz, Utf16(L"abc", 0)}));
  EXPECT_EQ(Reg().ReadRawValue(kCurrentUser, Path(), L"Missing"), std::nullopt);
  Put(L"", L"Dword", kRegDword, Bytes({0x2A, 0, 0, 0}));
  Put(L"", L"Expand", kRegExpandSz, Utf16(L"%TEMP%"));
  Put(L"", L"Multi", kRegMultiSz, Utf16(std::wstring(L"a\0b", 3), 2));
  Put(L"", L"Binary", kRegBinary, Bytes({'h', 0, 'i', 0, 0, 0}));
  for (const wchar_t* name : {L"Dword", L"Expand", L"Multi", L"Binary"}) {
    EXPECT_EQ(Read(L"", name), L"novalue") << name;
    EXPECT_EQ(Reg().ReadStringValue(kCurrentUser, Path(), name, L""), L"") << name;
  }
}

TEST_P(RegistryContract, WriteCreatesEveryMissingKeyOfThePath) {
  EXPECT_EQ(Read(L"a\\b\\c", L"v"), L"novalue");
  EXPECT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"a\\b\\c"), L"v", L"deep"));
  EXPECT_EQ(Read(L"a\\b\\c", L"v"), L"deep");
  EXPECT_TRUE(Reg().WriteRawValue(kCurrentUser, Path(L"x\\y"), L"d", RawValue{kRegDword, Bytes({1, 2, 3, 4})}));
  EXPECT_EQ(Reg().ReadRawValue(kCurrentUser, Path(L"x\\y"), L"d"), (RawValue{kRegDword, Bytes({1, 2, 3, 4})}));
}

TEST_P(RegistryContract, EnumValuesPadsToFiftyOneRowsAndListsEveryValueIncludingTheUnnamedOne) {
  EXPECT_EQ(Reg().EnumValues(kCurrentUser, Path(L"missing")), ValueTable(kMinValueTableRows));
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"empty\\child"), L"v", L""));
  EXPECT_EQ(Reg().EnumValues(kCurrentUser, Path(L"empty")), ValueTable(kMinValueTableRows));
  Put(L"k", L"", kRegSz, Utf16(L"default"));
  Put(L"k", L"Named", kRegDword, Bytes({1, 0, 0, 0}));
  Put(L"k", L"Expand", kRegExpandSz, Utf16(L"x"));
  std::vector<ValueRow> rows = Listed(L"k", 3);
  std::sort(rows.begin(), rows.end(), [](const ValueRow& a, const ValueRow& b) { return a.name < b.name; });
  EXPECT_EQ(rows, (std::vector<ValueRow>{{kRegSz, L""}, {kRegExpandSz, L"Expand"}, {kRegDword, L"Named"}}));
  std::vector<std::wstring> many;
  for (int i = 0; i < 300; ++i) {
    many.push_back(L"value " + std::to_wstring(i));
    ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"many"), many.back(), L"x"));
  }
  EXPECT_EQ(Sorted(ListedNames(L"many", many.size())), Sorted(many));
}

TEST_P(RegistryContract, LongNamesAndLongDataNeverEndTheListing) {
  // Created first and named to sort first, so that in either listing order
  // shorter values come after them.
  const std::wstring longName = L"a" + std::wstring(299, L'n');
  const std::wstring maxName = L"a" + std::wstring(16382, L'm');
  Put(L"", L"a300 bytes", kRegSz, Utf16(std::wstring(149, L'd')));
  Put(L"", L"a100 KB", kRegBinary, std::vector<std::byte>(100 * 1024, std::byte{0x5A}));
  Put(L"", longName, kRegSz, Utf16(L"long name"));
  Put(L"", maxName, kRegSz, Utf16(L"longest name"));
  Put(L"", L"z after", kRegSz, Utf16(L"short"));
  Put(L"", L"z last", kRegDword, Bytes({0, 0, 0, 0}));
  EXPECT_EQ(Sorted(ListedNames(L"", 6)), Sorted({L"a300 bytes", L"a100 KB", longName, maxName, L"z after", L"z last"}));
  EXPECT_EQ(Read(L"", maxName), L"longest name");
}

TEST_P(RegistryContract, EnumerationFollowsTheBackendsDocumentedOrder) {
  const std::vector<std::wstring> created = {L"zeta", L"Alpha", L"beta", L"Gamma", L"delta", L"ALPHA2"};
  for (const auto& name : created) ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), name, L""));
  std::vector<std::wstring> expected = created;
  if (backend_->Order() == ValueOrder::kSortedIgnoringCase) {
    std::sort(expected.begin(), expected.end(),
              [](const std::wstring& a, const std::wstring& b) { return ToLower(a) < ToLower(b); });
  }
  EXPECT_EQ(ListedNames(L"", created.size()), expected);
  // Rewriting a value keeps its place; a value deleted and written again is new.
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"zeta", L"changed"));
  EXPECT_EQ(ListedNames(L"", created.size()), expected);
  if (backend_->Order() == ValueOrder::kCreation) {
    Reg().DeleteValue(kCurrentUser, Path(), L"Alpha");
    ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"Alpha", L""));
    EXPECT_EQ(ListedNames(L"", created.size()),
              (std::vector<std::wstring>{L"zeta", L"beta", L"Gamma", L"delta", L"ALPHA2", L"Alpha"}));
  }
}

TEST_P(RegistryContract, RootZeroUnknownRootsAndPerformanceDataFailSilently) {
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"keep", L"kept"));
  for (const RootHandle root : {kNoRoot, RootHandle{1}, RootHandle{0x7FFFFFFF}, RootHandle{0x80000007},
                                RootHandle{0x8000000F}, RootHandle{0xFFFFFFFF}}) {
    EXPECT_FALSE(Reg().WriteStringValue(root, Path(), L"new", L"x")) << root;
    EXPECT_FALSE(Reg().WriteRawValue(root, Path(), L"new", RawValue{kRegDword, Bytes({1, 0, 0, 0})})) << root;
    EXPECT_EQ(Reg().ReadStringValue(root, Path(), L"keep", L"novalue"), L"novalue") << root;
    EXPECT_EQ(Reg().ReadRawValue(root, Path(), L"keep"), std::nullopt) << root;
    EXPECT_EQ(Reg().EnumValues(root, Path()), ValueTable(kMinValueTableRows)) << root;
    Reg().DeleteValue(root, Path(), L"keep");
    Reg().DeleteKey(root, Path());
  }
  EXPECT_EQ(ListedNames(L"", 1), std::vector<std::wstring>{L"keep"});
  EXPECT_EQ(Read(L"", L"keep"), L"kept");
  EXPECT_FALSE(Reg().WriteStringValue(kPerformanceData, L"", L"Tavrel", L"x"));
  EXPECT_FALSE(Reg().WriteStringValue(kPerformanceData, L"Software\\Tavrel", L"v", L"x"));
  EXPECT_EQ(Reg().ReadStringValue(kPerformanceData, L"", L"Tavrel", L"novalue"), L"novalue");
  EXPECT_EQ(Reg().EnumValues(kPerformanceData, L""), ValueTable(kMinValueTableRows));
}

TEST_P(RegistryContract, DeletesRemoveOnlyTheirTargetAndRefuseKeysWithSubkeys) {
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"One", L"1"));
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"Two", L"2"));
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"", L"unnamed"));
  // Missing keys and values: nothing changes.
  Reg().DeleteValue(kCurrentUser, Path(L"missing"), L"Two");
  Reg().DeleteKey(kCurrentUser, Path(L"missing"));
  Reg().DeleteKey(kCurrentUser, Path(L"missing\\deeper"));
  Reg().DeleteValue(kCurrentUser, Path(), L"missing value");
  Reg().DeleteValue(kCurrentUser, Path(), L"ONE");
  EXPECT_EQ(Read(L"", L"One"), L"novalue");
  EXPECT_EQ(Read(L"", L"Two"), L"2");
  Reg().DeleteValue(kCurrentUser, Path(), L"");
  EXPECT_EQ(Read(L"", L""), L"novalue");
  EXPECT_EQ(ListedNames(L"", 1), std::vector<std::wstring>{L"Two"});
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"parent"), L"p", L"parent value"));
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"parent\\child"), L"c", L"child value"));
  Reg().DeleteKey(kCurrentUser, Path(L"parent"));
  EXPECT_EQ(Read(L"parent", L"p"), L"parent value");
  EXPECT_EQ(Read(L"parent\\child", L"c"), L"child value");
  Reg().DeleteKey(kCurrentUser, Path(L"PARENT\\Child"));  // names fold
  EXPECT_EQ(Read(L"parent\\child", L"c"), L"novalue");
  Reg().DeleteKey(kCurrentUser, Path(L"parent"));
  EXPECT_EQ(Read(L"parent", L"p"), L"novalue");
  // A key written again after its deletion starts without the old values.
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"parent"), L"q", L""));
  EXPECT_EQ(ListedNames(L"parent", 1), std::vector<std::wstring>{L"q"});
}

TEST_P(RegistryContract, NamesAndTextOutsideTheAnsiCodePageRoundTripExactly) {
  const std::vector<std::wstring> names = {
      L"Upd\x0430ter",              // Cyrillic a that looks like Latin a
      L"\x66F4\x65B0",              // CJK
      L"smile \U0001F600",          // a surrogate pair in UTF-16
      L"\x03A9mega \x00E9t\x00E9",  // Greek and Latin-1
  };
  const std::wstring sub = L"\x30AD\x30FC\\\x041A\x043B\x044E\x0447";  // key names too
  for (const auto& name : names) ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(sub), name, L"text of " + name));
  EXPECT_EQ(Sorted(ListedNames(sub, names.size())), Sorted(names));
  for (const auto& name : names) EXPECT_EQ(Read(sub, name), L"text of " + name);
  EXPECT_EQ(Read(sub, L"Updater"), L"novalue");  // the look-alike is another name
  EXPECT_EQ(Reg().ReadRawValue(kCurrentUser, Path(sub), names[2]), (RawValue{kRegSz, Utf16(L"text of " + names[2])}));
}

TEST_P(RegistryContract, NamesAreFoundWhateverTheirCaseAndKeepTheirFirstSpelling) {
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"Caf\x00E9\\\x0416\x0443\x043A"), L"\x00C9t\x00E9", L"1"));
  EXPECT_EQ(Read(L"CAF\x00C9\\\x0436\x0423\x041A", L"\x00E9T\x00C9"), L"1");
  EXPECT_EQ(Read(L"caf\x00E9\\\x0416\x0423\x041A", L"\x00C9T\x00C9"), L"1");
  EXPECT_EQ(Read(L"Caf\x00E9\\\x0416\x0443\x043A", L"Ete"), L"novalue");  // E is not the accented one
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"CAF\x00C9\\\x0416\x0443\x043A"), L"\x00C9T\x00C9", L"2"));
  EXPECT_EQ(ListedNames(L"Caf\x00E9\\\x0416\x0443\x043A", 1), std::vector<std::wstring>{L"\x00C9t\x00E9"});
  EXPECT_EQ(Read(L"Caf\x00E9\\\x0416\x0443\x043A", L"\x00C9t\x00E9"), L"2");
}

TEST_P(RegistryContract, RawCopyKeepsTypeAndBytes) {
  const std::vector<std::pair<std::wstring, RawValue>> values = {
      {L"Binary", RawValue{kRegBinary, Bytes({0, 1, 2, 0, 0xFF})}},
      {L"Dword", RawValue{kRegDword, Bytes({0x78, 0x56, 0x34, 0x12})}},
      {L"Multi", RawValue{kRegMultiSz, Utf16(std::wstring(L"one\0two", 7), 2)}},
      {L"Expand", RawValue{kRegExpandSz, Utf16(L"%SystemRoot%\\x")}},
      {L"Unterminated", RawValue{kRegSz, Utf16(L"abc", 0)}},
      {L"Odd", RawValue{kRegSz, Bytes({'a', 0, 'b'})}},
      {L"None", RawValue{kRegNone, {}}},
      {L"Odd type", RawValue{0x12345678u, Bytes({9})}},
  };
  for (const auto& [name, value] : values) Put(L"watched", name, value.type, value.bytes);
  for (const auto& [name, value] : values) {
    const auto copy = Reg().ReadRawValue(kCurrentUser, Path(L"watched"), name);
    ASSERT_TRUE(copy.has_value()) << Narrow(name);
    EXPECT_TRUE(Reg().WriteRawValue(kCurrentUser, Path(L"backup\\copy"), name, *copy));
    EXPECT_EQ(Reg().ReadRawValue(kCurrentUser, Path(L"backup\\copy"), name), value);
  }
}

// The calls themselves: the status codes and effects the emulation must share
// with advapi32.

TEST_P(RegistryContract, OpenCallsReportMissingKeysAndBadPathsAndEmptyPathsOpenTheParent) {
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"a\\b"), L"v", L"here"));
  KeyHandle key = 0;
  EXPECT_EQ(Api().OpenKey(kCurrentUser, Path(L"missing"), key), kRegFileNotFound);
  EXPECT_EQ(Api().OpenKeyEx(kCurrentUser, Path(L"missing\\deeper"), kKeyQueryValue, key), kRegFileNotFound);
  EXPECT_EQ(Api().OpenKey(kCurrentUser, L"\\" + Path(L"a"), key), kRegBadPathname);
  EXPECT_EQ(Api().CreateKey(kCurrentUser, L"\\" + Path(L"new"), key), kRegBadPathname);
  EXPECT_EQ(Reg().ReadStringValue(kCurrentUser, Path(L"a\\\\b\\"), L"v", L""), L"here");  // extra separators
  // A key name holds up to 255 characters, a value name up to 16383.
  EXPECT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(std::wstring(255, L'k')), L"v", L""));
  EXPECT_EQ(Api().CreateKey(kCurrentUser, Path(std::wstring(257, L'k')), key), kRegInvalidParameter);
  EXPECT_EQ(Api().OpenKey(kCurrentUser, Path(std::wstring(257, L'k')), key), kRegInvalidParameter);
  EXPECT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), std::wstring(16383, L'v'), L""));
  EXPECT_FALSE(Reg().WriteStringValue(kCurrentUser, Path(), std::wstring(16384, L'v'), L""));
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"v", L"here"));
  key = OpenOrFail(L"");
  KeyHandle same = 0, fresh = 0;
  EXPECT_EQ(Api().OpenKey(key, L"", same), kRegSuccess);
  EXPECT_EQ(same, key);
  EXPECT_EQ(Api().OpenKeyEx(kCurrentUser, L"", kKeyQueryValue, same), kRegSuccess);
  EXPECT_EQ(same, KeyHandle{kCurrentUser});
  ASSERT_EQ(Api().OpenKeyEx(key, L"", kKeyQueryValue, fresh), kRegSuccess);
  EXPECT_NE(fresh, key);
  std::uint32_t size = 0;
  EXPECT_EQ(Api().QueryValue(fresh, L"v", nullptr, nullptr, &size), kRegSuccess);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(Api().CloseKey(fresh), kRegSuccess);
  ASSERT_EQ(Api().CreateKey(kCurrentUser, L"", fresh), kRegSuccess);
  EXPECT_EQ(Api().OpenKey(fresh, Path(), same), kRegSuccess);
  EXPECT_EQ(Api().QueryValue(same, L"v", nullptr, nullptr, &size), kRegSuccess);
  for (const KeyHandle open : {same, fresh, key, KeyHandle{kCurrentUser}}) EXPECT_EQ(Api().CloseKey(open), kRegSuccess);
  EXPECT_EQ(Api().CloseKey(0), kRegInvalidHandle);
}

TEST_P(RegistryContract, QueryValueReportsSizesAndFillsOnlyBuffersThatFit) {
  Put(L"", L"s", kRegSz, Utf16(L"abc", 0));
  const KeyHandle key = OpenOrFail(L"");
  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(Api().QueryValue(key, L"s", &type, nullptr, &size), kRegSuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(size, 6u);
  std::vector<std::byte> buffer(4, std::byte{0x55});
  size = 4;
  EXPECT_EQ(Api().QueryValue(key, L"s", &type, buffer.data(), &size), kRegMoreData);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(buffer, std::vector<std::byte>(4, std::byte{0x55}));
  // With room to spare, unterminated string data gets a NUL after it, but
  // the size stays that of the stored data.
  buffer.assign(10, std::byte{0x55});
  size = 10;
  EXPECT_EQ(Api().QueryValue(key, L"s", &type, buffer.data(), &size), kRegSuccess);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(buffer, Bytes({'a', 0, 'b', 0, 'c', 0, 0, 0, 0x55, 0x55}));
  EXPECT_EQ(Api().QueryValue(key, L"missing", &type, nullptr, &size), kRegFileNotFound);
  EXPECT_EQ(Api().QueryValue(key, L"s", nullptr, nullptr, nullptr), kRegSuccess);
  EXPECT_EQ(Api().QueryValue(key, L"s", &type, buffer.data(), nullptr), kRegInvalidParameter);
  EXPECT_EQ(Api().SetValue(key, L"t", kRegSz, nullptr, 4), kRegNoAccess);  // no data for a non-zero size
  EXPECT_EQ(Api().SetValue(key, L"t", kRegSz, nullptr, 0), kRegSuccess);
  EXPECT_EQ(Api().CloseKey(key), kRegSuccess);
}

TEST_P(RegistryContract, EnumValueReportsTooSmallBuffersAndTheEnd) {
  Put(L"", L"Name10chrs", kRegSz, Utf16(L"abcdefgh"));  // 18 bytes
  const KeyHandle key = OpenOrFail(L"");
  std::vector<wchar_t> name(20, L'#');
  std::vector<std::byte> data(4);
  std::uint32_t length = 10, type = 0, dataSize = 4;  // no room for the name's NUL
  EXPECT_EQ(Api().EnumValue(key, 0, name.data(), &length, &type, data.data(), &dataSize), kRegMoreData);
  EXPECT_EQ(length, 10u);
  EXPECT_EQ(name[0], L'#');
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(dataSize, 18u);
  length = 11;
  dataSize = 4;
  EXPECT_EQ(Api().EnumValue(key, 0, name.data(), &length, &type, data.data(), &dataSize), kRegMoreData);
  EXPECT_EQ(length, 10u);
  EXPECT_EQ(std::wstring(name.data()), L"Name10chrs");
  EXPECT_EQ(dataSize, 18u);
  length = 11;
  dataSize = 0;
  EXPECT_EQ(Api().EnumValue(key, 0, name.data(), &length, &type, nullptr, &dataSize), kRegSuccess);
  EXPECT_EQ(dataSize, 18u);
  length = 11;
  EXPECT_EQ(Api().EnumValue(key, 0, name.data(), &length, nullptr, nullptr, nullptr), kRegSuccess);
  length = 11;
  EXPECT_EQ(Api().EnumValue(key, 0, name.data(), &length, &type, data.data(), nullptr), kRegInvalidParameter);
  length = 20;
  EXPECT_EQ(Api().EnumValue(key, 1, name.data(), &length, &type, nullptr, nullptr), kRegNoMoreItems);
  EXPECT_EQ(length, 20u);
  EXPECT_EQ(Api().EnumValue(key, 1000, name.data(), &length, &type, nullptr, nullptr), kRegNoMoreItems);
  EXPECT_EQ(Api().CloseKey(key), kRegSuccess);
}

TEST_P(RegistryContract, HandlesOfDeletedOrClosedKeysStopWorking) {
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"gone"), L"v", L"x"));
  const KeyHandle key = OpenOrFail(L"gone");
  EXPECT_EQ(Api().DeleteKey(kCurrentUser, Path(L"gone")), kRegSuccess);
  std::uint32_t size = 0, length = 8;
  wchar_t name[8];
  KeyHandle sub = 0;
  EXPECT_EQ(Api().QueryValue(key, L"v", nullptr, nullptr, &size), kRegKeyDeleted);
  EXPECT_EQ(Api().SetValue(key, L"w", kRegSz, Bytes({0, 0}).data(), 2), kRegKeyDeleted);
  EXPECT_EQ(Api().EnumValue(key, 0, name, &length, nullptr, nullptr, nullptr), kRegKeyDeleted);
  EXPECT_EQ(Api().DeleteValue(key, L"v"), kRegKeyDeleted);
  EXPECT_EQ(Api().CreateKey(key, L"sub", sub), kRegKeyDeleted);
  EXPECT_EQ(Api().OpenKeyEx(key, L"", kKeyQueryValue, sub), kRegKeyDeleted);
  // RegOpenKey gives back the handle it was given for an empty path, unchecked.
  EXPECT_EQ(Api().OpenKey(key, L"", sub), kRegSuccess);
  EXPECT_EQ(sub, key);
  // Writing the key again makes a new key; the old handle stays dead.
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"gone"), L"v", L"again"));
  EXPECT_EQ(Api().QueryValue(key, L"v", nullptr, nullptr, &size), kRegKeyDeleted);
  EXPECT_EQ(Api().CloseKey(key), kRegSuccess);
  EXPECT_EQ(Api().CloseKey(key), kRegInvalidHandle);
  EXPECT_EQ(Api().QueryValue(key, L"v", nullptr, nullptr, &size), kRegInvalidHandle);
  EXPECT_EQ(Api().OpenKeyEx(key, L"x", kKeyQueryValue, sub), kRegInvalidHandle);
}

TEST_P(RegistryContract, DeleteKeyCallRefusesRootsAndKeysWithSubkeys) {
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(L"p\\c"), L"v", L""));
  EXPECT_EQ(Api().DeleteKey(kCurrentUser, Path(L"p")), kRegAccessDenied);
  EXPECT_EQ(Api().DeleteKey(kCurrentUser, Path(L"missing")), kRegFileNotFound);
  EXPECT_EQ(Api().DeleteKey(kCurrentUser, L""), kRegAccessDenied);
  EXPECT_EQ(Api().DeleteKey(kCurrentUser, Path(L"p\\c\\")), kRegSuccess);
  const KeyHandle key = OpenOrFail(L"p");
  EXPECT_EQ(Api().DeleteKey(key, L""), kRegSuccess);  // the key the handle names
  EXPECT_EQ(Api().CloseKey(key), kRegSuccess);
  KeyHandle gone = 0;
  EXPECT_EQ(Api().OpenKey(kCurrentUser, Path(L"p"), gone), kRegFileNotFound);
}

TEST_P(RegistryContract, AccessOfAQueryOnlyHandleIsEnforced) {
  ASSERT_TRUE(Reg().WriteStringValue(kCurrentUser, Path(), L"v", L"x"));
  KeyHandle key = 0;
  ASSERT_EQ(Api().OpenKeyEx(kCurrentUser, Path(), kKeyQueryValue, key), kRegSuccess);
  EXPECT_EQ(Api().SetValue(key, L"w", kRegSz, Bytes({0, 0}).data(), 2), kRegAccessDenied);
  EXPECT_EQ(Api().DeleteValue(key, L"v"), kRegAccessDenied);
  std::uint32_t size = 0, length = 8;
  EXPECT_EQ(Api().QueryValue(key, L"v", nullptr, nullptr, &size), kRegSuccess);
  EXPECT_EQ(Api().CloseKey(key), kRegSuccess);
  ASSERT_EQ(Api().OpenKeyEx(kCurrentUser, Path(), kKeySetValue, key), kRegSuccess);
  EXPECT_EQ(Api().QueryValue(key, L"v", nullptr, nullptr, &size), kRegAccessDenied);
  wchar_t name[8];
  EXPECT_EQ(Api().EnumValue(key, 0, name, &length, nullptr, nullptr, nullptr), kRegAccessDenied);
  EXPECT_EQ(Api().CloseKey(key), kRegSuccess);
}

std::string BackendName(const ::testing::TestParamInfo<BackendFactory>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Backends, RegistryContract, ::testing::ValuesIn(AvailableBackends()), BackendName);

}  // namespace
}  // namespace tavrel::test
