#include "scan/scan_window.h"

#include <gtest/gtest.h>

#include "tests/app/test_world.h"

namespace tavrel {
namespace {

using testing::kAbsent;
using testing::kBackupKey;
using testing::kWatchedKey;

constexpr wchar_t kOwnKey[] = L"Software\\Brix Computers\\Tavrel";

class ScanWindowTest : public ::testing::Test {
 protected:
  void StartInteractive(const std::wstring& args = L"") {
    run = std::make_unique<testing::TavrelProcess>(world, args);
    ASSERT_TRUE(run->program.Start());
    form = world.ScanForm();
    ASSERT_NE(form, nullptr);
  }
  HeadlessButton& ScanNow() { return *form->buttons.at(0); }
  HeadlessButton& Close() { return *form->buttons.at(1); }
  HeadlessCombo& Combo() { return *form->combos.at(0); }
  std::wstring Own(const wchar_t* name) { return world.Get(kCurrentUser, kOwnKey, name); }

  testing::TestWorld world;
  std::unique_ptr<testing::TavrelProcess> run;
  HeadlessForm* form = nullptr;
};

TEST_F(ScanWindowTest, AnInteractiveRunShowsTheWindowWithItsControls) {
  StartInteractive();
  EXPECT_TRUE(form->IsVisible());
  EXPECT_EQ(form->layout.caption, L"Brix Tavrel");
  EXPECT_EQ(form->layout.clientWidth, 3975);
  EXPECT_EQ(form->layout.clientHeight, 2100);
  EXPECT_FALSE(form->outerHeight.has_value());
  EXPECT_EQ(form->creationOrder,
            (std::vector<std::wstring>{L"combo", L"label", L"label", L"progress", L"button", L"button"}));
  EXPECT_EQ(Combo().Text(), L"Compare");
  EXPECT_EQ(Combo().layout.items, (std::vector<std::wstring>{L"Backup", L"Restore", L"Compare"}));
  EXPECT_EQ(Combo().layout.rect, (TwipsRect{1680, 840, 1935, 315}));
  EXPECT_FALSE(Combo().IsLocked());
  EXPECT_EQ(form->labels.at(0)->text, L"Brix Tavrel");
  EXPECT_EQ(form->labels.at(0)->font, kArial12Bold);
  EXPECT_EQ(form->labels.at(1)->text, L"Scan Type:");
  EXPECT_EQ(form->labels.at(1)->rect, (TwipsRect{240, 840, 1695, 255}));
  EXPECT_EQ(form->progressBars.at(0)->rect, (TwipsRect{120, 2160, 3735, 375}));
  EXPECT_EQ(form->progressBars.at(0)->maximum, 100);
  EXPECT_EQ(ScanNow().Caption(), L"Scan Now");
  EXPECT_EQ(Close().Caption(), L"Close");
  EXPECT_FALSE(ScanNow().gradient);
  EXPECT_EQ(ScanNow().layout.font, kArial825Bold);
  EXPECT_EQ(Close().layout.rect, (TwipsRect{2040, 1440, 1215, 495}));
  ASSERT_EQ(form->decorations.size(), 1u);
  EXPECT_EQ(form->decorations[0].kind, Decoration::ProgramIcon);
  EXPECT_EQ(world.toolkit.LoadedFormCount(), 1);  // the dialog is not loaded yet
}

TEST_F(ScanWindowTest, CloseAndTheFrameUnloadTheWindowWritingNothing) {
  SeedOrdinaryChanges(world);
  for (bool fromFrame : {false, true}) {
    StartInteractive();
    world.CountRegistryCalls();
    if (fromFrame) {
      form->CloseFromFrame();
    } else {
      Close().ClickWithMouse();
    }
    EXPECT_EQ(world.toolkit.LoadedFormCount(), 0);
    EXPECT_EQ(world.registryCalls, 0);
    world.registryApi.SetFaultHook(nullptr);
    run.reset();  // the next "process"
  }
}

TEST_F(ScanWindowTest, ScanNowLocksTheComboGrowsTheWindowAndScansWithTheCombosText) {
  world.WriteWatchList({L"MONITOR\tHKEY_CURRENT_USER\\Software\\Example\\Run"});
  world.Put(kCurrentUser, kWatchedKey, L"A", L"1");
  StartInteractive();
  Combo().Pick(0);  // "Backup"
  bool lockedDuringScan = false;
  world.toolkit.whileMessageBoxShown = [&](const std::wstring&) {
    lockedDuringScan = Combo().IsLocked();
    Combo().Type(L"Restore");  // refused
  };
  ScanNow().ClickWithMouse();
  EXPECT_TRUE(lockedDuringScan);
  EXPECT_EQ(Combo().Text(), L"Backup");
  EXPECT_EQ(form->outerHeight, 2160 + 375 + 600);
  EXPECT_EQ(world.Get(kCurrentUser, kBackupKey, L"A"), L"1");
  EXPECT_FALSE(form->progressBars.at(0)->positions.empty());
  EXPECT_FALSE(form->IsLoaded());
}

TEST_F(ScanWindowTest, ATypedUnknownScanTypeStillChecksValueEntries) {
  world.WriteWatchList({L"MONITOR\tHKEY_CURRENT_USER\\Software\\Example\\Run",
                        L"Bad\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Evil"});
  world.Put(kCurrentUser, kWatchedKey, L"Evil", L"x");
  StartInteractive();
  Combo().Type(L"compare");  // not an exact scan type
  ScanNow().ClickWithMouse();
  EXPECT_EQ(world.Get(kCurrentUser, kBackupKey, L"Evil"), kAbsent);  // the monitored key was left alone
  EXPECT_EQ(Own(L"Found"), L"1");
}

TEST_F(ScanWindowTest, NothingFoundUnloadsTheDialogShowsScanCompleteThenWritesStatus) {
  StartInteractive();  // no watch list at all
  std::wstring statusWhileBoxShown;
  world.toolkit.whileMessageBoxShown = [&](const std::wstring&) { statusWhileBoxShown = Own(L"Status"); };
  ScanNow().ClickWithMouse();
  ASSERT_EQ(world.toolkit.messageBoxes.size(), 1u);
  EXPECT_EQ(world.toolkit.messageBoxes[0].text, L"Scan Complete");
  EXPECT_EQ(world.toolkit.messageBoxes[0].title, L"Tavrel");
  EXPECT_EQ(statusWhileBoxShown, kAbsent);  // written only after the box is dismissed
  EXPECT_EQ(Own(L"Status"), L"65280");
  EXPECT_EQ(Own(L"Found"), L"0");
  EXPECT_EQ(Own(L"Last Check"), L"2027-03-05 09:05:07");
  EXPECT_FALSE(run->program.Dialog().IsLoaded());
  EXPECT_EQ(world.toolkit.LoadedFormCount(), 0);
  EXPECT_TRUE(world.sound.played.empty());
  EXPECT_EQ(world.Get(kLocalMachine, kOwnKey, L"Silent Mode"), kAbsent);
}

TEST_F(ScanWindowTest, AllRowsFlaggedRunsOkAtOnceWithoutSoundOrDialog) {
  world.WriteWatchList({L"Bad\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Evil"});
  world.Put(kCurrentUser, kWatchedKey, L"Evil", L"x");
  StartInteractive();
  ScanNow().ClickWithMouse();
  EXPECT_EQ(world.toolkit.messageBoxes.size(), 1u);
  EXPECT_TRUE(world.sound.played.empty());
  EXPECT_EQ(world.toolkit.LoadedFormCount(), 0);
  // AutoRepair 1 (absent setting): the unchecked flagged row is undone.
  EXPECT_EQ(world.Get(kCurrentUser, kWatchedKey, L"Evil"), kAbsent);
  EXPECT_EQ(world.Get(kLocalMachine, kOwnKey, L"Silent Mode"), L"0");
  EXPECT_EQ(Own(L"Status"), L"255");
  EXPECT_EQ(Own(L"Found"), L"1");
}

TEST_F(ScanWindowTest, OrdinaryChangesPlayTheAlertAndShowTheCountingDialog) {
  SeedOrdinaryChanges(world);
  StartInteractive();
  ScanNow().ClickWithMouse();
  EXPECT_TRUE(world.toolkit.messageBoxes.empty());
  EXPECT_EQ(world.sound.played, (std::vector<std::wstring>{L"C:\\Program Files\\Tavrel\\alert.wav"}));
  EXPECT_EQ(world.toolkit.pumpCount, 1);
  EXPECT_FALSE(form->IsLoaded());
  HeadlessForm* dialog = world.DialogForm();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->IsVisible());
  EXPECT_EQ(dialog->lists.at(0)->RowCount(), 2u);
  EXPECT_TRUE(dialog->timers.at(0)->IsEnabled());
  EXPECT_EQ(run->program.Dialog().dtimer, 30);
  // Status is written before the user decides anything.
  EXPECT_EQ(Own(L"Status"), L"65280");
  EXPECT_EQ(Own(L"Found"), L"0");
  EXPECT_EQ(world.Get(kCurrentUser, kBackupKey, L"Updater"), kAbsent);
  world.toolkit.AdvanceClock(30'000);
  EXPECT_EQ(world.toolkit.LoadedFormCount(), 0);
  EXPECT_EQ(world.Get(kCurrentUser, kBackupKey, L"Updater"), L"u");
  EXPECT_EQ(world.Get(kCurrentUser, kBackupKey, L"Old"), L"changed");
}

TEST_F(ScanWindowTest, ClicksThatArriveDuringTheScanAreDiscarded) {
  SeedOrdinaryChanges(world);
  StartInteractive();
  // Clicks queued while the scan runs reach the window at the finish's pump.
  world.toolkit.Post([&] { ScanNow().ClickWithMouse(); });
  world.toolkit.Post([&] { Close().ClickWithMouse(); });
  world.toolkit.Post([&] { form->CloseFromFrame(); });
  ScanNow().ClickWithMouse();
  EXPECT_EQ(world.toolkit.pumpCount, 1);
  EXPECT_EQ(world.sound.played.size(), 1u);  // one scan, one finish
  EXPECT_TRUE(world.DialogForm()->IsVisible());
  EXPECT_EQ(Own(L"Status"), L"65280");
  EXPECT_FALSE(form->IsLoaded());
}

TEST_F(ScanWindowTest, TheFlaggedCountDecidesTheStatusColour) {
  SeedOrdinaryChanges(world);
  world.WriteWatchList({L"MONITOR\tHKEY_CURRENT_USER\\Software\\Example\\Run",
                        L"Watch\tHKEY_CURRENT_USER\\Software\\Example\\Run\\Gone"});
  world.Put(kCurrentUser, kWatchedKey, L"Gone", L"g");
  StartInteractive();
  ScanNow().ClickWithMouse();
  // Rows outnumber the flagged findings: the dialog shows, and the status is red.
  EXPECT_NE(world.DialogForm(), nullptr);
  EXPECT_EQ(Own(L"Status"), L"255");
  EXPECT_NE(Own(L"Found"), L"0");
}

}  // namespace
}  // namespace tavrel
