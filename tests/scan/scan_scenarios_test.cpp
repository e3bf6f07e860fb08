// A user's stories told on the registry of the build: the in-memory registry
// natively, the real advapi32 under Wine in the Windows build.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/utf16.h"
#include "tests/scan/scan_world.h"

namespace tavrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ScanScenario : public ::testing::Test {
 protected:
  // A fresh dialog and count for the next scan of the same registry.
  void NextRun() {
    world.dialog.Unload();
    world.watchList.FoundCount = 0;
  }

  ScanWorld world{CurrentTestName()};
  const std::wstring run = world.Key(L"Run");
  const std::wstring other = world.Key(L"Other");
};

TEST_F(ScanScenario, FirstCompareOfANeverBackedUpKeyReportsEveryValueAsCreatedInEnumerationOrder) {
  world.Set(run, L"Zulu", L"z.exe");
  world.Set(run, L"Alpha", L"");
  world.Set(run, L"Mike", L"m");
  world.WatchKey(kCurrentUser, run);
  world.Scan(kScanCompare);
  const ChangeRow zulu = Created(run, L"Zulu", L"z.exe"), alpha = Created(run, L"Alpha", L""),
                  mike = Created(run, L"Mike", L"m");
  if (world.ListsSortedByName()) {  // Wine
    EXPECT_THAT(world.Rows(), ElementsAre(alpha, mike, zulu));
  } else {  // Windows and the in-memory registry: creation order
    EXPECT_THAT(world.Rows(), ElementsAre(zulu, alpha, mike));
  }
  EXPECT_EQ(world.watchList.FoundCount, 0);
  EXPECT_FALSE(world.KeyExists(ScanWorld::Backup(run))) << "Compare never writes a backup copy";
}

TEST_F(ScanScenario, ChangesAndCreationsComeInLiveOrderThenDeletionsInBackupOrder) {
  // Names chosen so that creation order and name order agree: Wine lists by name.
  world.Set(run, L"Apple", L"red");
  world.Set(run, L"Banana", L"yellow");
  world.Set(run, L"Cherry", L"On");
  world.Set(run, L"Date", L"brown");
  world.Set(run, L"Elder", L"tree");
  world.Set(run, L"Yarrow", L"herb");
  world.Set(run, L"Zest", L"peel");
  world.WatchKey(kCurrentUser, run);
  world.Scan(kScanBackup);
  world.Set(run, L"Banana", L"green");  // changed text
  world.Set(run, L"Cherry", L"ON");     // changed only in letter case: no finding
  world.Remove(run, L"Date");
  world.Remove(run, L"Elder");
  world.Remove(run, L"Yarrow");  // renamed only in letter case, same text: no finding
  world.Set(run, L"YARROW", L"herb");
  world.Remove(run, L"Zest");  // renamed in letter case and changed
  world.Set(run, L"ZEST", L"rind");
  world.Set(run, L"Zucchini", L"squash");  // added
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(), ElementsAre(Changed(run, L"Banana", L"green", L"yellow"),
                                        Changed(run, L"Zest", L"rind", L"peel"),  // the backup's letter case
                                        Created(run, L"Zucchini", L"squash"),     //
                                        Deleted(run, L"Date", L"brown"),          //
                                        Deleted(run, L"Elder", L"tree")));
  EXPECT_EQ(world.watchList.FoundCount, 0);
}

TEST_F(ScanScenario, AVanishedKeyComparesAsAllDeletedBacksUpToNoCopyAndRestoresToNoKey) {
  world.Set(run, L"Alpha", L"one");
  world.Set(run, L"Beta", L"two");
  world.WatchKey(kCurrentUser, run);
  world.Scan(kScanBackup);
  world.registry.DeleteKey(kCurrentUser, run);
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(), ElementsAre(Deleted(run, L"Alpha", L"one"), Deleted(run, L"Beta", L"two")));
  NextRun();
  world.Scan(kScanBackup);
  EXPECT_FALSE(world.KeyExists(ScanWorld::Backup(run)));
  world.Set(run, L"New", L"fresh");
  world.Scan(kScanRestore);
  EXPECT_FALSE(world.KeyExists(run));
}

TEST_F(ScanScenario, NonStringValuesAreComparedAsEmptyText) {
  world.Set(run, L"Path", L"C:\\tool.exe");
  world.SetDword(run, L"Stable", 1);
  world.WatchKey(kCurrentUser, run);
  world.Scan(kScanBackup);
  // A number appears, a number changes, a string becomes a number.
  world.SetDword(run, L"Stable", 2);
  world.SetDword(run, L"Path", 5);
  world.SetDword(run, L"Tally", 1);
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(), ElementsAre(Changed(run, L"Path", L"", L"C:\\tool.exe"), Created(run, L"Tally", L"")));
  NextRun();
  world.Scan(kScanBackup);
  world.Remove(run, L"Tally");
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(), ElementsAre(Deleted(run, L"Tally", L"")));
}

TEST_F(ScanScenario, BackupAndRestoreKeepEveryValuesTypeAndBytes) {
  const auto utf16 = [](const std::wstring& text) { return EncodeUtf16Le(text + std::wstring(1, L'\0')); };
  const std::vector<std::pair<std::wstring, RawValue>> originals = {
      {L"Blob", RawValue{kRegBinary, {std::byte{1}, std::byte{0}, std::byte{2}}}},
      {L"Dir", RawValue{kRegExpandSz, utf16(L"%TEMP%\\x")}},
      {L"Flags", RawValue{kRegDword, {std::byte{7}, std::byte{0}, std::byte{0}, std::byte{0}}}},
      {L"List", RawValue{kRegMultiSz, utf16(std::wstring(L"a\0b\0", 4))}},
  };
  world.Set(run, L"Apple", L"text");
  for (const auto& [name, raw] : originals) ASSERT_TRUE(world.registry.WriteRawValue(kCurrentUser, run, name, raw));
  world.WatchKey(kCurrentUser, run);
  world.Scan(kScanBackup);
  const std::wstring backup = ScanWorld::Backup(run);
  EXPECT_THAT(world.Names(backup), ElementsAre(L"Apple", L"Blob", L"Dir", L"Flags", L"List"));
  EXPECT_EQ(world.registry.ReadStringValue(kCurrentUser, backup, L"Apple", L"?"), L"text");
  for (const auto& [name, raw] : originals) EXPECT_EQ(world.registry.ReadRawValue(kCurrentUser, backup, name), raw);
  world.Set(run, L"Apple", L"tampered");
  world.SetDword(run, L"Flags", 9);
  world.Set(run, L"Intruder", L"x.exe");
  world.Scan(kScanRestore);
  EXPECT_THAT(world.Names(run), ElementsAre(L"Apple", L"Blob", L"Dir", L"Flags", L"List"));
  EXPECT_EQ(world.registry.ReadStringValue(kCurrentUser, run, L"Apple", L"?"), L"text");
  for (const auto& [name, raw] : originals) EXPECT_EQ(world.registry.ReadRawValue(kCurrentUser, run, name), raw);
  EXPECT_THAT(world.Rows(), IsEmpty());
}

TEST_F(ScanScenario, RestoreOfAKeyWithSubkeysOverwritesOnlyTheBackedUpValues) {
  world.Set(run + L"\\Sub", L"Inner", L"i");  // subkey first, so a rerun can clear it
  world.Set(run, L"Alpha", L"one");
  world.WatchKey(kCurrentUser, run);
  world.Scan(kScanBackup);
  EXPECT_FALSE(world.KeyExists(ScanWorld::Backup(run) + L"\\Sub")) << "subkeys are not copied";
  world.Set(run, L"Alpha", L"tampered");
  world.Set(run, L"Intruder", L"x.exe");
  world.Scan(kScanRestore);
  EXPECT_EQ(world.registry.ReadStringValue(kCurrentUser, run, L"Alpha", L"?"), L"one");
  EXPECT_EQ(world.registry.ReadStringValue(kCurrentUser, run, L"Intruder", L"?"), L"x.exe");
  EXPECT_EQ(world.registry.ReadStringValue(kCurrentUser, run + L"\\Sub", L"Inner", L"?"), L"i");
}

TEST_F(ScanScenario, TheUnnamedValueEndsTheWalkOfTheKey) {
  world.Set(run, L"Alpha", L"a");
  world.Set(run, L"", L"default");
  world.Set(run, L"Beta", L"b");
  world.WatchKey(kCurrentUser, run);
  const bool sorted = world.ListsSortedByName();
  world.Scan(kScanBackup);
  world.Set(run, L"Gamma", L"g");
  world.Scan(kScanCompare);
  if (sorted) {  // Wine lists the unnamed value first: nothing is walked at all.
    EXPECT_THAT(world.Names(ScanWorld::Backup(run)), IsEmpty());
  } else {  // creation order: only the value before it
    EXPECT_THAT(world.Names(ScanWorld::Backup(run)), ElementsAre(L"Alpha"));
  }
  EXPECT_THAT(world.Rows(), IsEmpty());
}

TEST_F(ScanScenario, EveryValueOfALargeKeyIsComparedWhateverTheLengthOfItsNameOrData) {
  std::vector<ChangeRow> expected;
  for (int i = 0; i < 60; ++i) {
    std::wstring name = L"Value " + std::wstring(i < 10 ? L"0" : L"") + std::to_wstring(i);
    if (i == 5) name += std::wstring(300, L'n');
    const std::wstring text = i == 3 ? std::wstring(300, L'd') : i == 7 ? L"" : std::to_wstring(i);
    if (i == 7) {
      world.SetDword(run, name, 3);  // compared as empty text, backed up too
    } else {
      world.Set(run, name, text);
    }
    expected.push_back(Created(run, name, text));
  }
  world.WatchKey(kCurrentUser, run);
  world.Scan(kScanCompare);
  EXPECT_EQ(world.Rows(), expected);
  NextRun();
  world.Scan(kScanBackup);
  world.Scan(kScanCompare);
  // Compare right after Backup finds nothing and leaves the dialog unloaded.
  EXPECT_THAT(world.Rows(), IsEmpty());
  EXPECT_FALSE(world.dialog.IsLoaded());
  EXPECT_EQ(world.watchList.FoundCount, 0);
  EXPECT_EQ(world.Names(ScanWorld::Backup(run)), world.Names(run));
  EXPECT_EQ(world.Names(run).size(), 60u);
}

TEST_F(ScanScenario, ATabInANameOrTextStaysInsideItsField) {
  world.Set(run, L"Tab\tName", L"left\tright");
  world.WatchKey(kCurrentUser, run);
  world.Scan(kScanCompare);
  ASSERT_THAT(world.Rows(), ElementsAre(Created(run, L"Tab\tName", L"left\tright")));
  EXPECT_EQ(world.Rows()[0].Field(3), ScanWorld::Backup(run));
}

TEST_F(ScanScenario, KeysAreReportedInWatchListOrderWithTheirRootAsTag) {
  world.Set(other, L"Beta", L"b", kLocalMachine);
  world.Set(run, L"Alpha", L"a");
  world.WatchKey(kLocalMachine, other);
  world.WatchKey(kCurrentUser, run);
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(),
              ElementsAre(Created(other, L"Beta", L"b", true, kLocalMachine), Created(run, L"Alpha", L"a")));
}

// Scan types are matched exactly; a present watched value is flagged whatever
// the type.
TEST_F(ScanScenario, OnlyExactScanTypesScanKeysButWatchedValuesAreFlaggedByAnyType) {
  world.Set(run, L"Launcher", L"evil.exe");
  world.WatchValue(L"Launcher to report", kCurrentUser, run, L"Launcher");
  world.WatchKey(kCurrentUser, run);
  for (const wchar_t* type : {L"compare", L"BACKUP", L"restore", L"", L"Compare ", L"Backup", L"Compare",
                              L"Restore"}) {
    NextRun();
    if (std::wstring(type) == L"Backup") {
      EXPECT_FALSE(world.KeyExists(ScanWorld::Backup(run)));
    }
    world.Scan(type);
    EXPECT_THAT(world.Rows(), ElementsAre(ValueEntryRow(L"Launcher to report", run, L"Launcher", L"evil.exe")))
        << ::testing::PrintToString(std::wstring(type));
    EXPECT_EQ(world.watchList.FoundCount, 1);
  }
  EXPECT_THAT(world.Names(ScanWorld::Backup(run)), ElementsAre(L"Launcher"));
  EXPECT_THAT(world.Names(run), ElementsAre(L"Launcher"));
}

TEST_F(ScanScenario, AbsentWatchedValuesAreNotFindings) {
  world.Set(run, L"Sentinel", L"novalue");  // holds exactly the absence marker
  world.Set(run, L"Capital", L"NoValue");   // the marker is compared exactly
  world.SetDword(run, L"Number", 1);
  world.WatchValue(L"missing key", kCurrentUser, world.Key(L"Nowhere"), L"Launcher");
  world.WatchValue(L"missing value", kCurrentUser, run, L"Launcher");
  world.WatchValue(L"not a string", kCurrentUser, run, L"Number");
  world.WatchValue(L"sentinel", kCurrentUser, run, L"Sentinel");
  world.Watch(L"unknown root\tHKLM\\" + run + L"\\Capital");
  world.WatchValue(L"capital", kCurrentUser, run, L"Capital");
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(), ElementsAre(ValueEntryRow(L"capital", run, L"Capital", L"NoValue")));
  EXPECT_EQ(world.watchList.FoundCount, 1);
}

// A watched value created in a watched key: listed after the key's entry its
// row becomes the value entry's row; listed before it, two unchecked rows.
TEST_F(ScanScenario, AWatchedCreatedValueGivesOneOrTwoRowsByWatchListOrder) {
  world.WatchKey(kCurrentUser, run);
  world.WatchValue(L"Report it", kCurrentUser, run, L"updater");
  world.WatchValue(L"Report too", kCurrentUser, other, L"helper");
  world.WatchKey(kCurrentUser, other);
  world.Set(run, L"Updater", L"u.exe");
  world.Set(other, L"Helper", L"h.exe");
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(), ElementsAre(ValueEntryRow(L"Report it", run, L"updater", L"u.exe"),
                                        ValueEntryRow(L"Report too", other, L"helper", L"h.exe"),
                                        Created(other, L"Helper", L"h.exe", false)));
  EXPECT_EQ(world.watchList.FoundCount, 4);
}

TEST_F(ScanScenario, AWatchedNameFlagsAChangeUnderAnyKey) {
  world.WatchValue(L"helper anywhere", kLocalMachine, other, L"HELPER");  // entry 0, key absent
  world.Set(run, L"Helper", L"h1");
  world.Set(run, L"Plain", L"p1");
  world.WatchKey(kCurrentUser, run);
  world.Scan(kScanBackup);
  world.Set(run, L"Helper", L"h2");
  world.Set(run, L"Plain", L"p2");
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(),
              ElementsAre(Changed(run, L"Helper", L"h2", L"h1", false), Changed(run, L"Plain", L"p2", L"p1")));
  EXPECT_EQ(world.watchList.FoundCount, 1);
}

TEST_F(ScanScenario, AValueEntryTakesOverOnlyARowOfTheSameRootNameAndExactText) {
  world.WatchKey(kCurrentUser, run);
  world.Set(run, L"Twin", L"same");
  world.Set(run, L"Updater", L"Go");
  world.Set(other, L"Updater", L"GO");  // differs in letter case only: a row of its own
  world.Set(other, L"Twin", L"same");   // same root, name and text: takes over run's row
  world.Set(other, L"Twin", L"same", kLocalMachine);  // another root: a row of its own
  world.WatchValue(L"case", kCurrentUser, other, L"Updater");
  world.WatchValue(L"twin", kCurrentUser, other, L"Twin");
  world.WatchValue(L"twin elsewhere", kLocalMachine, other, L"Twin");
  world.Scan(kScanCompare);
  EXPECT_THAT(world.Rows(), ElementsAre(ValueEntryRow(L"twin", other, L"Twin", L"same"),
                                        Created(run, L"Updater", L"Go", false),
                                        ValueEntryRow(L"case", other, L"Updater", L"GO"),
                                        ValueEntryRow(L"twin elsewhere", other, L"Twin", L"same", kLocalMachine)));
  EXPECT_EQ(world.watchList.FoundCount, 5);
}

TEST_F(ScanScenario, ProgressGoesToTheLastIndexThenToEachEntryBeforeItIsHandled) {
  using Call = std::pair<std::wstring, int>;
  world.Scan(kScanCompare);  // an empty watch list scans nothing
  EXPECT_THAT(world.progress.calls, ElementsAre(Call{L"max", 0}, Call{L"pos", 0}));
  EXPECT_FALSE(world.dialog.IsLoaded());
  EXPECT_EQ(world.watchList.FoundCount, 0);
  world.progress.calls.clear();
  world.progress.rowsBefore.clear();
  for (const wchar_t* name : {L"A", L"B", L"C"}) {
    world.Set(run, name, L"1");
    world.WatchValue(L"watched", kCurrentUser, run, name);
  }
  world.Scan(kScanCompare);
  EXPECT_THAT(world.progress.calls, ElementsAre(Call{L"max", 2}, Call{L"pos", 0}, Call{L"pos", 1}, Call{L"pos", 2}));
  EXPECT_THAT(world.progress.rowsBefore, ElementsAre(0u, 1u, 2u));
}

}  // namespace
}  // namespace tavrel::test
