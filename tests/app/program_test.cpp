#include "app/program.h"

#include <gtest/gtest.h>

#include "tests/app/test_world.h"

namespace tavrel {
namespace {

using testing::kAbsent;
using testing::kBackupKey;
using testing::kWatchedKey;

constexpr wchar_t kHost[] = L"Software\\TestHost";

class StartupTest : public ::testing::Test {
 protected:
  void Run(const std::wstring& args) {
    run = std::make_unique<testing::TavrelProcess>(world, args);
    started = run->program.Start();
  }
  std::wstring Host(const wchar_t* name) { return world.Get(kCurrentUser, kHost, name); }

  testing::TestWorld world;
  std::unique_ptr<testing::TavrelProcess> run;
  bool started = false;
};

TEST_F(StartupTest, ASecondInstanceEndsAtOnceWithNothingReadWrittenOrShown) {
  SeedOrdinaryChanges(world);
  world.instanceLock.SetOtherInstanceRunning(true);
  world.CountRegistryCalls();
  world.files.calls = 0;
  for (const wchar_t* args : {L"", L"/scannow key=Software\\TestHost"}) {
    Run(args);
    EXPECT_FALSE(started);
    EXPECT_EQ(world.registryCalls, 0);
    EXPECT_EQ(world.files.calls, 0);
    EXPECT_TRUE(world.toolkit.Forms().empty());
    EXPECT_TRUE(world.sound.played.empty());
    EXPECT_EQ(run->program.Watches().WatchEntries.size(), 0u);
  }
}

TEST_F(StartupTest, AnInteractiveRunReadsAutoRepairFromTheHostKeyAndLoadsTheWatchList) {
  SeedOrdinaryChanges(world);
  world.Put(kCurrentUser, kHost, L"AutoRepair", L"0");
  world.Put(kCurrentUser, kHost, L"Tavrel Silent Mode", L"0");
  Run(L"notaswitch key=Software\\TestHost");
  ASSERT_TRUE(started);
  EXPECT_EQ(run->program.MainWindow().HostKeyForTests(), kHost);
  EXPECT_EQ(run->program.State().AutoRepair, 0);
  EXPECT_EQ(run->program.State().tavrelsilent, 0);  // read only on a start-up scan
  EXPECT_EQ(run->program.Watches().WatchEntries.size(), 1u);
  EXPECT_TRUE(world.ScanForm()->IsVisible());
  EXPECT_TRUE(world.instanceLock.IsHeld());
}

TEST_F(StartupTest, SettingsDefaultToOneWhenAbsentNotAStringOrNotANumber) {
  Run(L"");  // no host key: HKEY_CURRENT_USER itself
  EXPECT_EQ(run->program.State().AutoRepair, 1);
  run.reset();
  world.Put(kCurrentUser, L"", L"AutoRepair", L"0");
  Run(L"");
  EXPECT_EQ(run->program.State().AutoRepair, 0);
  run.reset();
  world.Put(kCurrentUser, kHost, L"AutoRepair", L"yes");
  world.Put(kCurrentUser, kHost, L"Tavrel Silent Mode", L"");
  Run(L"/scannow key=Software\\TestHost");
  EXPECT_EQ(run->program.State().AutoRepair, 1);
  EXPECT_EQ(run->program.State().tavrelsilent, 1);
  run.reset();
  world.registryApi.PutValue(kCurrentUser, kHost, L"AutoRepair", kRegDword,
                             {std::byte{0}, std::byte{0}, std::byte{0}, std::byte{0}});
  Run(L"/scannow key=Software\\TestHost");
  EXPECT_EQ(run->program.State().AutoRepair, 1);
}

TEST_F(StartupTest, ASilentStartupScanAppliesTheRowsAtOnceAndReportsUnderTheHostKey) {
  SeedOrdinaryChanges(world);
  Run(L"/scannow key=Software\\TestHost");
  ASSERT_TRUE(started);
  // The scan window was never shown, and nothing is left open.
  ASSERT_FALSE(world.toolkit.Forms().empty());
  for (const HeadlessForm* form : world.toolkit.Forms()) EXPECT_EQ(form->showCount, 0);
  EXPECT_EQ(world.toolkit.LoadedFormCount(), 0);
  EXPECT_TRUE(world.sound.played.empty());
  EXPECT_TRUE(world.toolkit.messageBoxes.empty());
  EXPECT_EQ(world.Get(kCurrentUser, kBackupKey, L"Updater"), L"u");
  EXPECT_EQ(world.Get(kCurrentUser, kBackupKey, L"Old"), L"changed");
  EXPECT_EQ(world.Get(kLocalMachine, L"Software\\Brix Computers\\Tavrel", L"Silent Mode"), L"1");
  EXPECT_EQ(Host(L"Tavrel Status"), L"65280");
  EXPECT_EQ(Host(L"Tavrel Found"), L"0");
  EXPECT_EQ(Host(L"Tavrel Last Check"), L"2027-03-05 09:05:07");
  EXPECT_EQ(world.Get(kCurrentUser, L"Software\\Brix Computers\\Tavrel", L"Status"), kAbsent);
}

TEST_F(StartupTest, AStartupScanAlwaysCompares) {
  world.WriteWatchList({L"MONITOR\tHKEY_CURRENT_USER\\Software\\Example\\Run"});
  world.Put(kCurrentUser, kWatchedKey, L"A", L"1");  // no backup copy yet
  world.Put(kCurrentUser, kHost, L"AutoRepair", L"0");
  Run(L"silentscan x=Software\\TestHost");
  EXPECT_EQ(world.Get(kCurrentUser, kBackupKey, L"A"), kAbsent);
  EXPECT_EQ(Host(L"Tavrel Found"), L"0");
  EXPECT_EQ(Host(L"Tavrel Status"), L"65280");
}

TEST_F(StartupTest, WithSilentModeZeroTheDialogShowsWithSoundAndCountsDown) {
  SeedOrdinaryChanges(world);
  world.Put(kCurrentUser, kHost, L"Tavrel Silent Mode", L"0");
  Run(L"/scannow key=Software\\TestHost");
  EXPECT_EQ(world.sound.played.size(), 1u);
  HeadlessForm* dialog = world.DialogForm();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->IsVisible());
  EXPECT_EQ(world.ScanForm(), nullptr);
  EXPECT_EQ(Host(L"Tavrel Status"), L"65280");
  // The user unticks the created row and lets the count run out.
  dialog->lists.at(0)->ClickCheckMark(1);
  world.toolkit.AdvanceClock(29'000);
  EXPECT_EQ(world.toolkit.LoadedFormCount(), 1);
  world.toolkit.AdvanceClock(1000);
  EXPECT_EQ(world.toolkit.LoadedFormCount(), 0);
  EXPECT_EQ(world.Get(kCurrentUser, kWatchedKey, L"Updater"), kAbsent);
  EXPECT_NE(world.UserWatchList().find(L"HKEY_CURRENT_USER\\Software\\Example\\Run\\Updater"), std::wstring::npos);
  EXPECT_EQ(world.Get(kLocalMachine, L"Software\\Brix Computers\\Tavrel", L"Silent Mode"), L"0");
}

TEST_F(StartupTest, SilentModeTwoShowsTheDialogWithoutSound) {
  SeedOrdinaryChanges(world);
  world.Put(kCurrentUser, kHost, L"Tavrel Silent Mode", L"2");
  Run(L"/scannow key=Software\\TestHost");
  EXPECT_TRUE(world.sound.played.empty());
  ASSERT_NE(world.DialogForm(), nullptr);
  EXPECT_TRUE(world.DialogForm()->IsVisible());
}

TEST_F(StartupTest, WithoutAHostKeyTheStatusGoesUnderTheRootItself) {
  for (const wchar_t* args : {L"/scannow", L"/scannow Software\\TestHost"}) {
    Run(args);
    EXPECT_EQ(world.Get(kCurrentUser, L"", L"Tavrel Status"), L"65280") << args;
    EXPECT_EQ(Host(L"Tavrel Status"), kAbsent);
    world.registryApi.PutValue(kCurrentUser, L"", L"Tavrel Status", kRegNone, {});
    run.reset();
  }
}

TEST_F(StartupTest, AnEmptyStartupScanUnloadsEverything) {
  world.Put(kCurrentUser, kHost, L"Tavrel Silent Mode", L"0");
  Run(L"/scannow key=Software\\TestHost");
  EXPECT_EQ(world.toolkit.LoadedFormCount(), 0);
  EXPECT_TRUE(world.sound.played.empty());
  EXPECT_EQ(world.Get(kLocalMachine, L"Software\\Brix Computers\\Tavrel", L"Silent Mode"), kAbsent);
  EXPECT_EQ(Host(L"Tavrel Found"), L"0");
}

}  // namespace
}  // namespace tavrel
