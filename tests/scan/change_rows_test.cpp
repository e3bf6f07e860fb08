// The row builder on its own: kinds, the values a row shows, flagging and
// the take-over of a row by a value entry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "tests/scan/scan_world.h"

namespace tavrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ChangeRowBuilderTest : public ::testing::Test {
 protected:
  ScanWorld world{CurrentTestName()};
  const std::wstring run = world.Key(L"Run");
  const std::wstring backup = ScanWorld::Backup(run);
};

TEST_F(ChangeRowBuilderTest, KindsAreMatchedIgnoringCaseAndAnyOtherKindAddsNothing) {
  world.Set(run, L"Alpha", L"live");
  world.Set(backup, L"Alpha", L"saved");
  world.rows.AddChangeRow(L"keyrenamed", kCurrentUser, L"Alpha", backup, run);
  world.rows.AddChangeRow(L"", kCurrentUser, L"Alpha", backup, run);
  EXPECT_FALSE(world.dialog.IsLoaded()) << "no row, no dialog";
  world.rows.AddChangeRow(L"KeyCreated", kCurrentUser, L"Alpha", backup, run);
  world.rows.AddChangeRow(L"KEYCHANGED", kCurrentUser, L"Alpha", backup, run);
  world.rows.AddChangeRow(kKeyDeleted, kCurrentUser, L"Alpha", backup, run);
  EXPECT_THAT(world.Rows(), ElementsAre(Created(run, L"Alpha", L"live"), Changed(run, L"Alpha", L"live", L"saved"),
                                        Deleted(run, L"Alpha", L"saved")));
}

TEST_F(ChangeRowBuilderTest, RowsShowTheRegistryAsItIsWhenTheyAreBuilt) {
  world.SetDword(run, L"Number", 4);
  world.Set(backup, L"Gone", L"saved");
  world.rows.AddChangeRow(kKeyChanged, kCurrentUser, L"Gone", backup, run);    // vanished from the key
  world.rows.AddChangeRow(kKeyDeleted, kCurrentUser, L"Never", backup, run);   // never backed up
  world.rows.AddChangeRow(kKeyCreated, kCurrentUser, L"Number", backup, run);  // not a string
  EXPECT_THAT(world.Rows(), ElementsAre(Changed(run, L"Gone", L"", L"saved"), Deleted(run, L"Never", L""),
                                        Created(run, L"Number", L"")));
}

TEST_F(ChangeRowBuilderTest, ARowNamingAnyWatchedValueStartsUncheckedAndIsCounted) {
  world.Watch(L"first\tHKEY_LOCAL_MACHINE\\Software\\Elsewhere\\CAFÉ");
  world.Watch(L"MONITOR\tHKEY_CURRENT_USER\\" + run);  // its empty value name matches no real name
  world.rows.IndexWatchList();
  world.rows.AddChangeRow(kKeyCreated, kCurrentUser, L"café", backup, run);
  world.rows.AddChangeRow(kKeyCreated, kCurrentUser, L"Cafe", backup, run);
  world.rows.AddChangeRow(kKeyDeleted, kCurrentUser, L"Café", backup, run);
  EXPECT_THAT(world.Rows(), ElementsAre(Created(run, L"café", L"", false), Created(run, L"Cafe", L""),
                                        Deleted(run, L"Café", L"", false)));
  EXPECT_EQ(world.watchList.FoundCount, 2);
  // The count stops at its maximum; rows are still added.
  world.watchList.FoundCount = std::numeric_limits<std::int16_t>::max();
  world.rows.AddChangeRow(kKeyCreated, kCurrentUser, L"Café", backup, run);
  EXPECT_EQ(world.watchList.FoundCount, std::numeric_limits<std::int16_t>::max());
  EXPECT_EQ(world.Rows().size(), 4u);
}

TEST_F(ChangeRowBuilderTest, AValueEntryRowReplacesOnlyTheFirstRowWithTheSameTagNameAndText) {
  ChangeList& list = world.dialog.LoadHidden();
  const auto row = [](std::wstring name, std::wstring text, RootHandle tag) {
    return ChangeRow{{L"Created", std::move(name), std::move(text), L"bk", L"kp"}, tag, true};
  };
  list.Append(row(L"Hot", L"run.exe", kLocalMachine));  // other root
  list.Append(row(L"Cold", L"run.exe", kCurrentUser));  // other name
  list.Append(row(L"Hot", L"RUN.EXE", kCurrentUser));   // text differs in case
  list.Append(row(L"HOT", L"run.exe", kCurrentUser));   // the first match
  list.Append(row(L"hot", L"run.exe", kCurrentUser));   // a later match stays
  const WatchEntry entry{L"watched", kCurrentUser, L"Software\\Vendor", L"hot"};
  world.rows.AddValueEntryRow(entry, L"run.exe");
  EXPECT_THAT(world.Rows(), ElementsAre(row(L"Hot", L"run.exe", kLocalMachine), row(L"Cold", L"run.exe", kCurrentUser),
                                        row(L"Hot", L"RUN.EXE", kCurrentUser),
                                        ValueEntryRow(L"watched", L"Software\\Vendor", L"hot", L"run.exe"),
                                        row(L"hot", L"run.exe", kCurrentUser)));
  world.rows.AddValueEntryRow(WatchEntry{L"watched", kCurrentUser, L"Software\\Vendor", L"Other"}, L"x");
  EXPECT_EQ(world.Rows().back(), ValueEntryRow(L"watched", L"Software\\Vendor", L"Other", L"x"));
  EXPECT_EQ(world.watchList.FoundCount, 0) << "the caller counts value entries";
}

TEST(ReviewListTest, LoadingKeepsALoadedListAndUnloadingDiscardsItsRows) {
  ReviewList dialog;
  EXPECT_FALSE(dialog.IsLoaded());
  EXPECT_TRUE(dialog.Load());
  dialog.List().Append(ChangeRow{{L"Created", L"A"}, kCurrentUser, true});
  EXPECT_FALSE(dialog.Load()) << "a loaded dialog is not loaded again";
  EXPECT_EQ(dialog.LoadHidden().Count(), 1u);
  dialog.Unload();
  EXPECT_FALSE(dialog.IsLoaded());
  EXPECT_THAT(dialog.List().Rows(), IsEmpty());
  EXPECT_TRUE(dialog.Load());
}

TEST(ChangeRowTest, TheShownTextKeepsEveryFieldInItsColumn) {
  const ChangeRow row{{L"Created", L"Tab\tName", L"line\r\nbreak", L"", L"Software\\Run"}, kCurrentUser, true};
  EXPECT_EQ(row.DisplayText(), L"Created\tTab Name\tline  break\t\tSoftware\\Run");
  EXPECT_EQ(row.Field(1), L"Tab\tName");
  EXPECT_EQ(row.Field(5), L"") << "a missing field reads as empty text";
  EXPECT_EQ(ChangeRow{}.DisplayText(), L"");
}

}  // namespace
}  // namespace tavrel::test
