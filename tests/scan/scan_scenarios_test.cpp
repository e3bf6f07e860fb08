// A user's stories told on the registry of the build: the in-memory registry
// natively, the real advapi32 under Wine in the Windows build.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "registry/utf16.h"
#include "scan/backup_key.h"
#include "tests/fakes/world.h"

namespace tavrel::test {
std::unique_ptr<RegistryApi> MakeBuildRegistry();
namespace {

using ::testing::ElementsAre;

ChangeRow Created(Text key, Text name, Text live, bool ticked = true, RootHandle root = kCurrentUser) {
  return {{L"Created", name, live, BackupKeyFor(key), key}, root, ticked};
}
ChangeRow Changed(Text key, Text name, Text live, Text saved, bool ticked = true) {
  return {{L"Changed", name, live, saved, BackupKeyFor(key), key}, kCurrentUser, ticked};
}
ChangeRow Deleted(Text key, Text name, Text saved) {
  return {{L"Deleted", name, saved, BackupKeyFor(key), key}, kCurrentUser, true};
}
ChangeRow Entry(Text label, Text key, Text name, Text live, RootHandle root = kCurrentUser) {
  return {{label, name, live, L"", key}, root, false};
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

TEST_F(ScanScenario, AVanishedKeyComparesAsAllDeletedBacksUpToNoCopyAndRestoresToNoKey) {
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
  EXPECT_FALSE(world.KeyExists(run));
}

TEST_F(ScanScenario, BackupAndRestoreKeepTypesAndBytesWhileCompareReadsOtherTypesAsEmptyText) {
  const auto utf16 = [](Text text) { return EncodeUtf16Le(text + std::wstring(1, L'\0')); };
  const std::vector<std::pair<std::wstring, RawValue>> raws = {
      {L"Blob", {kRegBinary, {std::byte{1}, std::byte{0}, std::byte{2}}}},
      {L"Dir", {kRegExpandSz, utf16(L"%TEMP%\\x")}},
      {L"Flags", {kRegDword, {std::byte{7}, std::byte{0}, std::byte{0}, std::byte{0}}}},
      {L"List", {kRegMultiSz, utf16(std::wstring(L"a\0b\0", 4))}}};
  world.Set(run + L"\\Sub", L"Inner", L"i");
  world.Set(run, L"Apple", L"text");
  for (const auto& [name, raw] : raws) ASSERT_TRUE(world.registry.WriteRawValue(kCurrentUser, run, name, raw));
  world.WatchKey(run);
  world.Scan(kScanBackup);
  EXPECT_FALSE(world.KeyExists(backup + L"\\Sub")) << "subkeys are not copied";
  for (const auto& [name, raw] : raws) EXPECT_EQ(world.registry.ReadRawValue(kCurrentUser, backup, name), raw);
  world.SetDword(run, L"Flags", 9);  // a number changes, a string becomes a number, a number appears
  world.SetDword(run, L"Apple", 5);
  world.SetDword(run, L"Tally", 1);
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(), ElementsAre(Changed(run, L"Apple", L"", L"text"), Created(run, L"Tally", L"")));
  // The key has a subkey, so it is not deleted: backed-up values are written back, others stay.
  world.Scan(kScanRestore);
  EXPECT_EQ(world.Get(run, L"Apple"), L"text");
  for (const auto& [name, raw] : raws) EXPECT_EQ(world.registry.ReadRawValue(kCurrentUser, run, name), raw);
  EXPECT_TRUE(world.registry.ReadRawValue(kCurrentUser, run, L"Tally"));
  EXPECT_EQ(world.Get(run + L"\\Sub", L"Inner"), L"i");
}

TEST_F(ScanScenario, TheUnnamedValueEndsTheWalkOfTheKey) {
  world.Set(run, {{L"Alpha", L"a"}, {L"", L"default"}, {L"Beta", L"b"}});
  world.WatchKey(run);
  world.Scan(kScanBackup);
  world.Set(run, L"Gamma", L"g");
  world.Scan(kScanCompare);
  // Wine lists the unnamed value first, so nothing is walked; elsewhere only the value before it.
  EXPECT_EQ(world.Get(backup, L"Alpha"), world.ListsSortedByName() ? kAbsent : L"a");
  EXPECT_EQ(world.Get(backup, L"Beta"), kAbsent);
  EXPECT_FALSE(world.dialog.IsLoaded());
}

TEST_F(ScanScenario, EveryValueOfALargeKeyIsComparedWhateverTheLengthOfItsNameOrData) {
  std::vector<ChangeRow> expected;
  for (int i = 10; i < 70; ++i) {
    std::wstring name = L"Value " + std::to_wstring(i);
    if (i == 15) name += std::wstring(300, L'n');
    if (i == 16) name += L"\tTab";
    const std::wstring text = i == 13 ? std::wstring(300, L'd') : i == 17 ? L"" : L"a\t" + std::to_wstring(i);
    i == 17 ? world.SetDword(run, name, 3) : world.Set(run, name, text);
    expected.push_back(Created(run, name, text));
  }
  world.WatchKey(run);
  world.Scan(kScanCompare);
  EXPECT_EQ(world.Rows(), expected);
  world.Scan(kScanBackup);
  world.Scan(kScanCompare);
  EXPECT_FALSE(world.dialog.IsLoaded()) << "nothing changed since the backup";
}

// Absent watched values are no findings: a missing key or value, a number,
// a value holding exactly the absence marker, an unknown root.
TEST_F(ScanScenario, OnlyExactScanTypesTouchKeysButPresentWatchedValuesAreReportedByAnyType) {
  world.Set(run, {{L"Launcher", L"NoValue"}, {L"Sentinel", L"novalue"}});
  world.SetDword(run, L"Number", 1);
  world.WatchValue(L"missing key", world.Key(L"Nowhere"), L"Launcher");
  for (const wchar_t* name : {L"Missing", L"Number", L"Sentinel"}) world.WatchValue(L"not there", run, name);
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
