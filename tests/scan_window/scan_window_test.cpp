#include "scan/scan_window.h"

#include <gtest/gtest.h>

#include "scan/backup_key.h"
#include "tests/fakes/world.h"

namespace tavrel::test {
namespace {

TEST(ScanWindowTest, ScanNowScansWithTheChosenTypeWhileTheComboIsLockedAndMovesTheProgressBar) {
  World world;
  const std::wstring run = world.Key(L"Run");
  world.Set(run, L"A", L"1");
  world.WatchKey(run);
  world.WatchValue(L"Watch", run, L"Missing");
  world.WatchValue(L"Watch", run, L"Absent");
  ASSERT_TRUE(world.New(L"").Start());
  HeadlessForm& form = *world.ScanForm();
  HeadlessCombo& combo = *form.combos.at(0);
  combo.Pick(0);  // "Backup"
  world.toolkit.whileMessageBoxShown = [&](const std::wstring&) {
    EXPECT_TRUE(combo.IsLocked());
    combo.Type(L"Restore");  // refused
  };
  form.buttons.at(0)->ClickWithMouse();
  EXPECT_EQ(combo.Text(), L"Backup");
  EXPECT_EQ(world.Get(BackupKeyFor(run), L"A"), L"1");
  const HeadlessProgress& bar = *form.progressBars.at(0);
  EXPECT_GE(form.outerHeight.value_or(0), bar.rect.top + bar.rect.height) << "grown to show the progress bar";
  EXPECT_EQ(bar.maximum, 2);
  EXPECT_EQ(bar.positions, (std::vector<int>{0, 1, 2}));
}

}  // namespace
}  // namespace tavrel::test
