#include "review/review_dialog.h"

#include <gtest/gtest.h>

#include "tests/app/test_world.h"

namespace tavrel {
namespace {

using testing::kAbsent;
using testing::kProgramFolder;

constexpr wchar_t kKey[] = L"Software\\Watched";
constexpr wchar_t kBackup[] = L"Software\\Brix Computers\\Tavrel\\Software\\Watched";
constexpr wchar_t kUserList[] = L"C:\\Program Files\\Tavrel\\tavrel-user.ini";

ChangeRow Row(std::vector<std::wstring> fields, bool checked, RootHandle root = kCurrentUser) {
  return {std::move(fields), root, checked};
}

class ReviewDialogTest : public ::testing::Test {
 protected:
  void Load(std::vector<ChangeRow> rows = {}) {
    ChangeList& list = dialog.LoadHidden();
    for (auto& row : rows) list.Append(std::move(row));
    form = world.DialogForm();
    ASSERT_NE(form, nullptr);
  }
  // The last loaded dialog's form, still there to inspect after unloading.
  HeadlessForm& Form() { return *form; }
  HeadlessButton& Ok() { return *Form().buttons.at(0); }
  HeadlessButton& Cancel() { return *Form().buttons.at(1); }
  HeadlessList& List() { return *Form().lists.at(0); }
  HeadlessCheckBox& Box() { return *Form().checkBoxes.at(0); }
  // What the scan finish does before it shows the dialog.
  void ArmAndShow() {
    dialog.dtimer = 30;
    dialog.EnableTimer();
    dialog.Show();
  }
  std::wstring SilentMode() { return world.Get(kLocalMachine, kProgramKey, L"Silent Mode"); }

  testing::TestWorld world;
  HeadlessForm* form = nullptr;
  UserWatchListWriter userWatchList{world.files, world.clock, kProgramFolder};
  ScanWindowState state{.AutoRepair = 1, .tavrelsilent = 0};
  ReviewDialog dialog{world.toolkit, world.registry, userWatchList, state};
};

TEST_F(ReviewDialogTest, LoadsHiddenWithItsControlsTabStopsAndCountDown) {
  Load();
  HeadlessForm& shown = Form();
  EXPECT_FALSE(shown.IsVisible());
  EXPECT_EQ(shown.layout.clientWidth, 6645);
  EXPECT_EQ(shown.layout.clientHeight, 4260);
  EXPECT_EQ(dialog.dtimer, 30);
  // Tab order: OK, Label1, Cancel, List1, Check1.
  EXPECT_EQ(shown.creationOrder,
            (std::vector<std::wstring>{L"button", L"label", L"button", L"list", L"checkbox"}));
  EXPECT_EQ(Ok().Caption(), L"OK");
  EXPECT_EQ(Cancel().Caption(), L"Cancel");
  for (auto* button : {&Ok(), &Cancel()}) {
    EXPECT_TRUE(button->gradient);
    EXPECT_EQ(button->gradientSpec.backColor, 0x00F7E0BBu);
    EXPECT_EQ(button->gradientSpec.borderStyle, 1);
    EXPECT_EQ(button->gradientSpec.textAlign, 2);
    EXPECT_EQ(button->layout.font, kArial825Bold);
  }
  EXPECT_EQ(Ok().layout.rect, (TwipsRect{1800, 3720, 1455, 375}));
  EXPECT_EQ(Cancel().layout.rect, (TwipsRect{3480, 3720, 1455, 375}));
  EXPECT_EQ(shown.labels.at(0)->text,
            L"Changes have been made to the Registry and are outlined below.  Indicate which changes you want to "
            L"keep by adding a check to the boxes below:");
  EXPECT_EQ(shown.labels.at(0)->font, kArial975);
  EXPECT_EQ(Box().caption, L"Automatically accept changes in the future.");
  EXPECT_FALSE(Box().IsChecked());
  EXPECT_EQ(List().tabStopCalls, (std::vector<std::vector<int>>{{}, {50, 125, 325}}));
  EXPECT_EQ(List().redraws, 1);
  ASSERT_EQ(shown.timers.size(), 1u);
  EXPECT_EQ(shown.timers[0]->intervalMs, 1000);
  EXPECT_FALSE(shown.timers[0]->IsEnabled());

  // A loaded dialog stays as it is.
  dialog.LoadHidden().Append(Row({L"Created", L"A", L"1", kBackup, kKey}, true));
  EXPECT_EQ(dialog.LoadHidden().Count(), 1u);
  EXPECT_EQ(world.toolkit.Forms().size(), 1u);
}

TEST_F(ReviewDialogTest, CountsDownOneCaptionPerSecondAndRunsOkOnTheTickShowingZero) {
  Load({Row({L"Created", L"A", L"1", kBackup, kKey}, true)});
  ArmAndShow();
  EXPECT_TRUE(Form().IsVisible());
  EXPECT_EQ(Ok().Caption(), L"OK");  // until the first tick
  world.toolkit.AdvanceClock(999);
  EXPECT_TRUE(Ok().captions.empty());
  world.toolkit.AdvanceClock(1);
  EXPECT_EQ(Ok().Caption(), L"OK [29]");
  world.toolkit.AdvanceClock(28'000);
  EXPECT_EQ(Ok().Caption(), L"OK [1]");
  EXPECT_TRUE(dialog.IsLoaded());
  EXPECT_EQ(SilentMode(), kAbsent);
  world.toolkit.AdvanceClock(1000);
  std::vector<std::wstring> expected;
  for (int i = 29; i >= 0; --i) expected.push_back(L"OK [" + std::to_wstring(i) + L"]");
  EXPECT_EQ(Ok().captions, expected);
  EXPECT_FALSE(dialog.IsLoaded());
  EXPECT_EQ(SilentMode(), L"0");
  EXPECT_EQ(world.Get(kCurrentUser, kBackup, L"A"), L"1");
  // The timer went with the dialog.
  world.toolkit.AdvanceClock(5000);
  EXPECT_EQ(Ok().captions.size(), 30u);
}

TEST_F(ReviewDialogTest, AClickInTheListRestartsTheCountButTheCheckBoxDoesNot) {
  Load({Row({L"Created", L"A", L"1", kBackup, kKey}, true), Row({L"Created", L"B", L"2", kBackup, kKey}, true)});
  ArmAndShow();
  world.toolkit.AdvanceClock(27'000);
  EXPECT_EQ(Ok().Caption(), L"OK [3]");
  List().ClickRow(1);
  world.toolkit.AdvanceClock(1000);
  EXPECT_EQ(Ok().Caption(), L"OK [29]");
  List().ClickCheckMark(0);  // ticking a row is a click too
  world.toolkit.AdvanceClock(1000);
  EXPECT_EQ(Ok().Caption(), L"OK [29]");
  Box().Click();
  world.toolkit.AdvanceClock(1000);
  EXPECT_EQ(Ok().Caption(), L"OK [28]");
  world.toolkit.AdvanceClock(28'000);
  EXPECT_FALSE(dialog.IsLoaded());
  // Row 0 was unticked in the list: the created value A is undone.
  EXPECT_EQ(world.Get(kCurrentUser, kBackup, L"A"), kAbsent);
  EXPECT_EQ(world.Get(kCurrentUser, kBackup, L"B"), L"2");
  EXPECT_EQ(SilentMode(), L"1");
}

TEST_F(ReviewDialogTest, ShowsEachRowsDisplayTextTagAndCheckMark) {
  Load({Row({L"Changed", L"Na\tme", L"new", L"old", kBackup, kKey}, true, kLocalMachine),
        Row({L"Watch", L"V", L"x", L"", kKey}, false)});
  ArmAndShow();
  ASSERT_EQ(List().RowCount(), 2u);
  EXPECT_EQ(List().Row(0), (ListRow{dialog.LoadHidden().Row(0).DisplayText(), kLocalMachine, true}));
  EXPECT_EQ(List().Row(1), (ListRow{L"Watch\tV\tx\t\t" + std::wstring(kKey), kCurrentUser, false}));
}

TEST_F(ReviewDialogTest, MouseOkSetsAutoRepairButKeyboardOkDoesNot) {
  state.AutoRepair = 0;
  world.Put(kCurrentUser, kKey, L"A", L"1");
  Load({Row({L"Created", L"A", L"1", kBackup, kKey}, true)});
  ArmAndShow();
  Ok().ClickWithKeyboard();
  EXPECT_FALSE(dialog.IsLoaded());
  EXPECT_EQ(state.AutoRepair, 0);
  EXPECT_EQ(SilentMode(), L"0");
  EXPECT_EQ(world.Get(kCurrentUser, kBackup, L"A"), kAbsent);

  Load({Row({L"Created", L"A", L"1", kBackup, kKey}, true)});
  ArmAndShow();
  Ok().ClickWithMouse();
  EXPECT_EQ(state.AutoRepair, 1);
  EXPECT_EQ(world.Get(kCurrentUser, kBackup, L"A"), L"1");
}

TEST_F(ReviewDialogTest, APressReleasedOutsideOkAppliesNothingYetButTheTimeOutThenApplies) {
  state.AutoRepair = 0;
  Load({Row({L"Created", L"A", L"1", kBackup, kKey}, true)});
  ArmAndShow();
  Ok().PressWithMouseReleaseOutside();
  EXPECT_TRUE(dialog.IsLoaded());
  EXPECT_EQ(state.AutoRepair, 1);
  EXPECT_EQ(world.Get(kCurrentUser, kBackup, L"A"), kAbsent);
  world.toolkit.AdvanceClock(30'000);
  EXPECT_EQ(world.Get(kCurrentUser, kBackup, L"A"), L"1");
}

TEST_F(ReviewDialogTest, TimeOutWithAutoRepairZeroOnlyWritesSilentMode) {
  state.AutoRepair = 0;
  world.Put(kCurrentUser, kKey, L"A", L"1");
  Load({Row({L"Created", L"A", L"1", kBackup, kKey}, false)});
  ArmAndShow();
  world.toolkit.AdvanceClock(30'000);
  EXPECT_FALSE(dialog.IsLoaded());
  EXPECT_EQ(SilentMode(), L"0");
  EXPECT_EQ(world.Get(kCurrentUser, kKey, L"A"), L"1");
  EXPECT_EQ(world.UserWatchList(), kAbsent);
}

TEST_F(ReviewDialogTest, CancelAndClosingFromTheFrameWriteNothing) {
  world.CountRegistryCalls();
  for (bool fromFrame : {false, true}) {
    Load({Row({L"Created", L"A", L"1", kBackup, kKey}, false), Row({L"Watch", L"V", L"x", L"", kKey}, true)});
    ArmAndShow();
    Box().Click();
    EXPECT_EQ(state.tavrelsilent, 1);
    if (fromFrame) {
      Form().CloseFromFrame();
    } else {
      Cancel().ClickWithMouse();
    }
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_EQ(state.tavrelsilent, 1);  // stays set in memory
    state.tavrelsilent = 0;
    world.toolkit.AdvanceClock(60'000);
  }
  EXPECT_EQ(world.registryCalls, 0);
  EXPECT_EQ(world.UserWatchList(), kAbsent);
}

TEST_F(ReviewDialogTest, TheCheckBoxDecidesSilentModeAndAnEmptyListWritesOnlyThat) {
  world.CountRegistryCalls();
  Load();
  ArmAndShow();
  Box().Click();
  EXPECT_EQ(state.tavrelsilent, 1);
  Box().Click();
  EXPECT_EQ(state.tavrelsilent, 0);
  Ok().ClickWithMouse();
  world.registryApi.SetFaultHook(nullptr);
  EXPECT_EQ(SilentMode(), L"0");
  // One key opened (created), one value set, one key closed.
  EXPECT_EQ(world.registryCalls, 3);
}

// Every cell of the per-row decision table, each row under its own key so
// that the effects can be told apart.
TEST_F(ReviewDialogTest, AppliesEachKindOfRowAsItsCheckMarkSays) {
  auto key = [](const std::wstring& n) { return L"Software\\" + n; };
  auto backup = [&](const std::wstring& n) { return L"Software\\Brix Computers\\Tavrel\\" + key(n); };
  struct Case {
    std::wstring id;
    std::wstring kind;
    bool checked;
  };
  const std::vector<Case> cases = {{L"CreatedKeep", L"Created", true},  {L"CreatedUndo", L"created", false},
                                   {L"ChangedKeep", L"CHANGED", true},  {L"ChangedUndo", L"Changed", false},
                                   {L"DeletedKeep", L"Deleted", true},  {L"DeletedUndo", L"Deleted", false},
                                   {L"EntryKeep", L"Bad value", true},  {L"EntryUndo", L"Bad value", false}};
  // What the scan found: created values live only in the key, changed ones
  // differ, deleted ones live only in the backup copy, watched ones are present.
  world.Put(kCurrentUser, key(L"CreatedKeep"), L"V", L"new");
  world.Put(kCurrentUser, key(L"CreatedUndo"), L"V", L"new");
  for (const auto* id : {L"ChangedKeep", L"ChangedUndo"}) {
    world.Put(kCurrentUser, key(id), L"V", L"new");
    world.Put(kCurrentUser, backup(id), L"V", L"old");
  }
  world.Put(kCurrentUser, backup(L"DeletedKeep"), L"V", L"old");
  world.Put(kCurrentUser, backup(L"DeletedUndo"), L"V", L"old");
  world.Put(kCurrentUser, key(L"EntryKeep"), L"V", L"bad");
  world.Put(kCurrentUser, key(L"EntryUndo"), L"V", L"bad");
  world.files.contents[kUserList] =
      "2027-01-01 10:00:00\tHKEY_CURRENT_USER\\Software\\EntryKeep\\V\r\n"
      "2027-01-01 10:00:00\tHKEY_CURRENT_USER\\Software\\EntryUndo\\V\r\n";

  std::vector<ChangeRow> rows;
  for (const auto& c : cases) {
    const std::wstring k = key(c.id);
    const std::wstring b = backup(c.id);
    if (c.id.starts_with(L"Created")) rows.push_back(Row({c.kind, L"V", L"new", b, k}, c.checked));
    if (c.id.starts_with(L"Changed")) rows.push_back(Row({c.kind, L"V", L"new", L"old", b, k}, c.checked));
    if (c.id.starts_with(L"Deleted")) rows.push_back(Row({c.kind, L"V", L"old", b, k}, c.checked));
    if (c.id.starts_with(L"Entry")) rows.push_back(Row({c.kind, L"V", L"bad", L"", k}, c.checked));
  }
  Load(std::move(rows));
  dialog.BrixButton1_Click();

  auto live = [&](const wchar_t* id) { return world.Get(kCurrentUser, key(id), L"V"); };
  auto copy = [&](const wchar_t* id) { return world.Get(kCurrentUser, backup(id), L"V"); };
  // Created: kept joins the backup copy; undone is deleted and added to the user list.
  EXPECT_EQ(live(L"CreatedKeep"), L"new");
  EXPECT_EQ(copy(L"CreatedKeep"), L"new");
  EXPECT_EQ(live(L"CreatedUndo"), kAbsent);
  EXPECT_EQ(copy(L"CreatedUndo"), kAbsent);
  // Changed: kept updates the backup copy; undone puts the old text back.
  EXPECT_EQ(copy(L"ChangedKeep"), L"new");
  EXPECT_EQ(live(L"ChangedKeep"), L"new");
  EXPECT_EQ(live(L"ChangedUndo"), L"old");
  EXPECT_EQ(copy(L"ChangedUndo"), L"old");
  // Deleted: kept drops it from the backup copy; undone restores it.
  EXPECT_EQ(copy(L"DeletedKeep"), kAbsent);
  EXPECT_EQ(live(L"DeletedKeep"), kAbsent);
  EXPECT_EQ(live(L"DeletedUndo"), L"old");
  // Value entries: kept leaves the registry alone and unflags it; undone deletes it.
  EXPECT_EQ(live(L"EntryKeep"), L"bad");
  EXPECT_EQ(live(L"EntryUndo"), kAbsent);

  const std::wstring userList = world.UserWatchList();
  EXPECT_EQ(userList.find(L"EntryKeep"), std::wstring::npos) << userList;
  EXPECT_NE(userList.find(L"2027-01-01 10:00:00\tHKEY_CURRENT_USER\\Software\\EntryUndo\\V"), std::wstring::npos)
      << userList;
  EXPECT_NE(userList.find(L"2027-03-05 09:05:07\tHKEY_CURRENT_USER\\Software\\CreatedUndo\\V"), std::wstring::npos)
      << userList;
  EXPECT_EQ(userList.find(L"CreatedKeep"), std::wstring::npos) << userList;
}

TEST_F(ReviewDialogTest, UsesEachRowsRootAndKeepsFieldsWithTabsWhole) {
  const std::wstring name = L"Odd\tname";
  world.Put(kLocalMachine, kKey, name, L"v\t1");
  Load({Row({L"Created", name, L"v\t1", kBackup, kKey}, true, kLocalMachine)});
  dialog.BrixButton1_Click();
  EXPECT_EQ(world.Get(kLocalMachine, kBackup, name), L"v\t1");
  EXPECT_EQ(world.Get(kCurrentUser, kBackup, name), kAbsent);
}

TEST_F(ReviewDialogTest, KeepingACreatedOrUndoingADeletedNonStringValueKeepsItsTypeAndBytes) {
  const std::vector<std::byte> dword{std::byte{1}, std::byte{0}, std::byte{0}, std::byte{0}};
  const std::vector<std::byte> binary{std::byte{0xde}, std::byte{0xad}};
  world.registryApi.PutValue(kCurrentUser, kKey, L"Count", kRegDword, dword);
  world.registryApi.PutValue(kCurrentUser, kBackup, L"Blob", kRegBinary, binary);
  Load({Row({L"Created", L"Count", L"novalue", kBackup, kKey}, true),
        Row({L"Deleted", L"Blob", L"novalue", kBackup, kKey}, false)});
  dialog.BrixButton1_Click();
  EXPECT_EQ(world.registry.ReadRawValue(kCurrentUser, kBackup, L"Count"), (RawValue{kRegDword, dword}));
  EXPECT_EQ(world.registry.ReadRawValue(kCurrentUser, kKey, L"Blob"), (RawValue{kRegBinary, binary}));
}

TEST_F(ReviewDialogTest, SkipsRowsTooShortForTheirKind) {
  world.Put(kCurrentUser, L"", L"V", L"root value");
  world.CountRegistryCalls();
  Load({Row({L"Changed", L"V", L"new", L"old", kBackup}, false), Row({L"Watch", L"V", L"x", L""}, false),
        Row({}, false)});
  dialog.BrixButton1_Click();
  world.registryApi.SetFaultHook(nullptr);
  EXPECT_EQ(world.Get(kCurrentUser, L"", L"V"), L"root value");
  EXPECT_EQ(world.registryCalls, 3);  // "Silent Mode" only
}

}  // namespace
}  // namespace tavrel
