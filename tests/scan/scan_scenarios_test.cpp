// A user's stories told on the registry of the build: the in-memory registry
// natively, the real advapi32 under Wine in the Windows build.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <span>

#include "platform/text.h"
#include "registry/utf16.h"
#include "scan/backup_key.h"
#include "tests/fakes/world.h"

namespace tavrel::test {
std::unique_ptr<RegistryApi> MakeBuildRegistry();
namespace {

using ::testing::ElementsAre;

ChangeRow Created(Text key, Text name, Text live, bool ticked = true, RootHandle root = kCurrentUser) {
  return {{L"Created", name, live, BackupKeyFor(key), key}, root, ticked, Sz(live)};
}
ChangeRow Changed(Text key, Text name, Text live, Text saved, bool ticked = true) {
  return {{L"Changed", name, live, saved, BackupKeyFor(key), key}, kCurrentUser, ticked, Sz(live), Sz(saved)};
}
ChangeRow Deleted(Text key, Text name, Text saved) {
  return {{L"Deleted", name, saved, BackupKeyFor(key), key}, kCurrentUser, true, std::nullopt, Sz(saved)};
}
ChangeRow Entry(Text label, Text key, Text name, Text live, RootHandle root = kCurrentUser) {
  return {{label, name, live, L"", key}, root, false, Sz(live)};
}

class ScanScenario : public ::testing::Test {
 protected:
  World world{MakeBuildRegistry()};
  const std::wstring run = world.Key(L"Run"), other = world.Key(L"Other"), backup = BackupKeyFor(run);
};

TEST_F(ScanScenario, AFirstCompareReportsEveryValueCreatedKeyByKeyInWatchListOrder) {
  world.Set(other, L"Beta", L"b", kLocalMachine);
  world.Set(run, {{L"Zulu", L"z.exe"}, {L"Alpha", L""}});
  world.WatchKey(other, kLocalMachine);
  world.WatchKey(run);
  world.Scan(kScanCompare);
  const ChangeRow beta = Created(other, L"Beta", L"b", true, kLocalMachine), zulu = Created(run, L"Zulu", L"z.exe"),
                  alpha = Created(run, L"Alpha", L"");
  EXPECT_THAT(world.Rows(),
              world.ListsSortedByName() ? ElementsAre(beta, alpha, zulu) : ElementsAre(beta, zulu, alpha));
  EXPECT_FALSE(world.KeyExists(backup)) << "Compare never writes a backup copy";
}

TEST_F(ScanScenario, ChangesAndCreationsComeInLiveOrderThenDeletionsInBackupOrder) {
  // Creation order and name order agree: Wine lists by name.
  world.Set(run, {{L"Apple", L"red"}, {L"Banana", L"yellow"}, {L"Cherry", L"On"}, {L"Date", L"brown"}});
  world.Set(run, {{L"Elder", L"tree"}, {L"Yarrow", L"herb"}, {L"Zest", L"peel"}});
  world.WatchKey(run);
  world.WatchValue(L"banana anywhere", other, L"BANANA", kLocalMachine);  // absent, but flags the name
  world.Scan(kScanBackup);
  for (const wchar_t* name : {L"Date", L"Elder", L"Yarrow", L"Zest"})
    world.registry.DeleteValue(kCurrentUser, run, name);
  // Cherry changes only in letter case, Yarrow is renamed only in letter case: no findings.
  world.Set(
      run,
      {{L"Banana", L"green"}, {L"Cherry", L"ON"}, {L"YARROW", L"herb"}, {L"ZEST", L"rind"}, {L"Zucchini", L"squash"}});
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(), ElementsAre(Changed(run, L"Banana", L"green", L"yellow", false),
                                        Changed(run, L"Zest", L"rind", L"peel"), Created(run, L"Zucchini", L"squash"),
                                        Deleted(run, L"Date", L"brown"), Deleted(run, L"Elder", L"tree")));
  EXPECT_EQ(world.watchList.FoundCount, 1);
}

TEST_F(ScanScenario, AVanishedKeyComparesAsAllDeletedBacksUpToNoCopyFromWhichRestoreChangesNothing) {
  world.Set(run, {{L"Alpha", L"one"}, {L"Beta", L"two"}});
  world.WatchKey(run);
  world.Scan(kScanBackup);
  world.registry.DeleteKey(kCurrentUser, run);
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(), ElementsAre(Deleted(run, L"Alpha", L"one"), Deleted(run, L"Beta", L"two")));
  world.Scan(kScanBackup);
  EXPECT_FALSE(world.KeyExists(backup));
  world.Set(run, L"New", L"fresh");
  world.Scan(kScanRestore);
  EXPECT_EQ(world.Get(run, L"New"), L"fresh");
}

// Every type is compared raw and shown readably; a kept or undone row writes exactly what it showed, or nothing when
// the value changed since. The unnamed value (Wine lists it first) is a value like any other.
TEST_F(ScanScenario, EveryTypeIsComparedShownAndWrittenBackAsTheRowShowedIt) {
  const auto str = [](std::uint32_t type, Text text) { return RawValue{type, EncodeUtf16Le(text + L'\0')}; };
  const auto raw = [](std::uint32_t type, std::string_view bytes) {
    return RawValue{type, {std::as_bytes(std::span(bytes)).begin(), std::as_bytes(std::span(bytes)).end()}};
  };
  const RawValue path = str(kRegSz, L"C:\\a.exe"), expand = str(kRegExpandSz, L"%TEMP%\\a.exe"),
                 one = raw(kRegDword, {"\1\0\0\0", 4}), two = raw(kRegDword, {"\2\0\0\0", 4}),
                 none = raw(kRegNone, "\1"), multi = str(kRegMultiSz, std::wstring(L"a\0b\0", 4)),
                 big = raw(11, {"*\0\0\0\0\0\0\0", 8}), upper = str(kRegExpandSz, L"%A%"),
                 lower = str(kRegExpandSz, L"%a%"), blob = raw(kRegBinary, std::string(65, '\xab'));
  std::wstring abs = L"(REG_BINARY)";
  for (int i = 0; i < 64; ++i) abs += L" ab";
  const struct {
    const wchar_t* name;
    std::optional<RawValue> saved, live;
    std::wstring shown;  // field 2; empty: no row
    bool keep;
    std::optional<RawValue> savedAfter, liveAfter;
  } cases[] = {
      {L"Path", path, expand, L"(REG_EXPAND_SZ) %TEMP%\\a.exe", true, expand, expand},
      {L"Flags", one, two, L"(REG_DWORD) 0x00000002 (2)", false, one, one},
      {L"", one, two, L"(REG_DWORD) 0x00000002 (2)", false, one, raw(kRegDword, {"\3\0\0\0", 4})},  // changed since
      {L"Case", upper, lower, L"", true, upper, lower},
      {L"Kind", raw(kRegBinary, "\1"), none, L"(REG_NONE) 01", true, none, none},
      {L"List", {}, multi, L"(REG_MULTI_SZ) a | b", true, multi, multi},
      {L"Big", {}, big, L"(REG_QWORD) 0x000000000000002a (42)", true, big, big},
      {L"Odd", {}, raw(5, {"\0\0\0*", 4}), L"(type 0x00000005) 00 00 00 2a", false, {}, {}},
      {L"Blob", {}, blob, abs + L" \u2026", true, blob, blob},
  };
  for (const auto& c : cases)
    ASSERT_TRUE(!c.saved || world.registry.WriteRawValue(kCurrentUser, run, c.name, *c.saved));
  world.WatchKey(run);
  world.WatchValue(L"expand", other, L"Hidden");
  ASSERT_TRUE(world.registry.WriteRawValue(kCurrentUser, other, L"Hidden", expand));
  world.Scan(kScanBackup);
  for (const auto& c : cases)
    c.live ? world.registry.WriteRawValue(kCurrentUser, run, c.name, *c.live)
           : world.registry.DeleteValue(kCurrentUser, run, c.name);
  world.Scan(kScanCompare);
  ChangeList& list = world.dialog.LoadHidden();
  for (const auto& c : cases) {
    SCOPED_TRACE(ToAnsi(c.name));
    const auto row = std::ranges::find(list.Rows(), std::wstring(c.name), [](const auto& r) { return r.Field(1); });
    ASSERT_EQ(row != list.Rows().end(), !c.shown.empty());
    if (c.shown.empty()) continue;
    EXPECT_EQ(row->Field(2), c.shown);
    EXPECT_TRUE(row->Checked) << "no name here is watched";
    list.Row(static_cast<std::size_t>(row - list.Rows().begin())).Checked = c.keep;
  }
  EXPECT_EQ(list.Row(list.Count() - 1).Fields[2], L"(REG_EXPAND_SZ) %TEMP%\\a.exe") << "a value entry of any type";
  (void)world.registry.WriteRawValue(kCurrentUser, run, L"", *cases[2].liveAfter);
  world.dialog.BrixButton1_Click();
  for (const auto& c : cases) {
    EXPECT_EQ(world.registry.ReadRawValue(kCurrentUser, backup, c.name), c.savedAfter) << ToAnsi(c.name);
    EXPECT_EQ(world.registry.ReadRawValue(kCurrentUser, run, c.name), c.liveAfter);
  }
  world.Set(run, L"Late", L"l");
  world.Scan(kScanRestore);
  for (const auto& c : cases) EXPECT_EQ(world.registry.ReadRawValue(kCurrentUser, run, c.name), c.savedAfter);
  EXPECT_EQ(world.Get(run, L"Late"), kAbsent) << "Restore deletes what the copy lacks";
}

// Absent watched values are no findings: a missing key or value, a value
// holding exactly the absence marker, an unknown root.
TEST_F(ScanScenario, OnlyExactScanTypesTouchKeysButPresentWatchedValuesAreReportedByAnyType) {
  world.Set(run, {{L"Launcher", L"NoValue"}, {L"Sentinel", L"novalue"}});
  world.WatchValue(L"missing key", world.Key(L"Nowhere"), L"Launcher");
  for (const wchar_t* name : {L"Missing", L"Sentinel"}) world.WatchValue(L"not there", run, name);
  world.Watch(L"unknown root\tHKLM\\" + run + L"\\Launcher");
  world.WatchValue(L"Launcher to report", run, L"Launcher");
  world.WatchKey(run);
  for (const std::wstring type :
       {L"compare", L"BACKUP", L"restore", L"", L"Compare ", L"Backup", L"Compare", L"Restore"}) {
    EXPECT_EQ(world.KeyExists(backup), type == L"Compare" || type == L"Restore");
    world.Scan(type);
    EXPECT_THAT(world.Rows(), ElementsAre(Entry(L"Launcher to report", run, L"Launcher", L"NoValue")));
    EXPECT_EQ(world.watchList.FoundCount, 1);
  }
}

// Listed after its key's entry, a watched created value's row becomes the value entry's row; listed before it, two
// unticked rows. A value entry takes over only a row of the same root, the same name and exactly the same text.
TEST_F(ScanScenario, AValueEntryTakesOverTheRowOfItsValue) {
  world.WatchKey(run);
  world.WatchValue(L"Report it", run, L"updater");
  world.WatchValue(L"Report too", other, L"helper");
  world.WatchValue(L"twin", other, L"Twin");
  world.WatchValue(L"twin elsewhere", other, L"Twin", kLocalMachine);
  world.WatchValue(L"case", other, L"Apt");
  world.WatchKey(other);
  world.Set(run, {{L"Apt", L"Go"}, {L"Twin", L"same"}, {L"Updater", L"u.exe"}});
  world.Set(other, {{L"Apt", L"GO"}, {L"Helper", L"h.exe"}, {L"Twin", L"same"}});
  world.Set(other, L"Twin", L"same", kLocalMachine);
  world.Scan(kScanCompare);
  EXPECT_THAT(
      world.Rows(),
      ElementsAre(Created(run, L"Apt", L"Go", false), Entry(L"twin", other, L"Twin", L"same"),
                  Entry(L"Report it", run, L"updater", L"u.exe"), Entry(L"Report too", other, L"helper", L"h.exe"),
                  Entry(L"twin elsewhere", other, L"Twin", L"same", kLocalMachine),
                  Entry(L"case", other, L"Apt", L"GO"), Created(other, L"Apt", L"GO", false),
                  Created(other, L"Helper", L"h.exe", false), Created(other, L"Twin", L"same", false)));
  EXPECT_EQ(world.watchList.FoundCount, 11);
  world.watchList.FoundCount = std::numeric_limits<std::int16_t>::max();
  world.rows.AddChangeRow(kKeyCreated, kCurrentUser, L"Helper", BackupKeyFor(other), other);
  EXPECT_EQ(world.watchList.FoundCount, std::numeric_limits<std::int16_t>::max()) << "the count stops at its maximum";
}

}  // namespace
}  // namespace tavrel::test
