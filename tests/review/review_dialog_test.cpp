#include "review/review_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/text.h"
#include "scan/backup_key.h"
#include "tests/fakes/world.h"

namespace tavrel::test {
namespace {

constexpr wchar_t kKey[] = L"Software\\W";
const std::wstring kCopy = BackupKeyFor(kKey);
const std::wstring kUserList = std::wstring(kFolder) + L"\\tavrel-user.ini";

// The row as the scan makes it, keeping the REG_SZ values its fields show.
ChangeRow AsShown(ChangeRow row) {
  const std::wstring kind = ToLower(row.Field(0));
  if (kind != L"deleted" && kind != L"link") row.Live = Sz(row.Field(2));
  if (kind == L"changed" || kind == L"deleted") row.Backup = Sz(row.Field(kind == L"changed" ? 3 : 2));
  return row;
}

// The dialog holding these rows, shown as the scan finish shows it.
HeadlessForm& Show(World& world, const std::vector<ChangeRow>& rows) {
  for (const ChangeRow& row : rows) world.dialog.LoadHidden().Append(AsShown(row));
  world.state.dtimer = kCountDownSeconds;
  world.dialog.EnableTimer();
  world.dialog.Show();
  return *world.DialogForm();
}

// What OK does with each kind of row, ticked (keep) and unticked (undo): the value V of the key and of its backup copy
// before and after, and how many lines of the user watch list (one at the start) name it. A row shows V as its text
// fields say; an undo leaves a value that changed since it was shown, and a removal that cannot be written down.
TEST(ReviewDialogTest, OkAppliesEachRowAsItsMarkSays) {
  const wchar_t* const no = kAbsent;
  const struct {
    std::vector<std::wstring> fields;
    bool ticked;
    const wchar_t *live, *copy, *liveAfter, *copyAfter;
    long userLines = 1;
    bool fileFails = false;
  } cases[] = {
      {{L"Created", L"V", L"new", kCopy, kKey}, true, L"new", no, L"new", L"new"},
      {{L"created", L"V", L"new", kCopy, kKey}, false, L"new", no, no, no, 2},
      {{L"created", L"V", L"new", kCopy, kKey}, false, L"newer", no, L"newer", no, 2},
      {{L"created", L"V", L"new", kCopy, kKey}, false, L"new", no, L"new", no, 1, true},
      {{L"CHANGED", L"V", L"new", L"old", kCopy, kKey}, true, L"new", L"old", L"new", L"new"},
      {{L"Changed", L"V", L"new", L"old", kCopy, kKey}, false, L"new", L"old", L"old", L"old"},
      {{L"Changed", L"V", L"new", L"old", kCopy, kKey}, false, L"newer", L"old", L"newer", L"old"},
      {{L"Changed", L"V", L"new", L"old", kCopy}, false, L"new", L"old", L"new", L"old"},  // too short: skipped
      {{L"Deleted", L"V", L"old", kCopy, kKey}, true, no, L"old", no, no},
      {{L"Deleted", L"V", L"old", kCopy, kKey}, false, no, L"old", L"old", L"old"},
      {{L"Deleted", L"V", L"old", kCopy, kKey}, false, L"back", L"old", L"back", L"old"},
      {{L"Bad value", L"V", L"bad", L"", kKey}, true, L"bad", no, L"bad", no, 0},
      {{L"Bad value", L"V", L"bad", L"", kKey}, false, L"bad", no, no, no},
      {{L"Bad value", L"V", L"bad", L"", kKey}, false, L"worse", no, L"worse", no},
      {{L"Bad value", L"V", L"bad", L""}, false, L"bad", no, L"bad", no},  // too short: skipped
      {{L"Link", L"V", kKey, kCopy, kKey}, true, L"v", no, L"v", no},      // shows no value: never acted on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToAnsi(c.fields[0]) + (c.ticked ? " ticked, " : " unticked, ") + ToAnsi(c.live));
    World world;
    if (c.live != no) world.Set(kKey, L"V", c.live);
    if (c.copy != no) world.Set(kCopy, L"V", c.copy);
    world.files.contents[kUserList] = "2027-01-01 10:00:00\tHKEY_CURRENT_USER\\Software\\W\\V\r\n";
    if (c.fileFails) world.files.FailCall(FileOp::ReplaceWith, 0);
    world.dialog.LoadHidden().Append(AsShown({c.fields, kCurrentUser, c.ticked}));
    world.dialog.BrixButton1_Click();
    EXPECT_EQ(world.Get(kKey, L"V"), c.liveAfter);
    EXPECT_EQ(world.Get(kCopy, L"V"), c.copyAfter);
    EXPECT_EQ(world.Get(L"", L"V"), kAbsent) << "a short row must not reach the root key";
    const std::string& file = world.files.contents[kUserList];
    EXPECT_EQ(std::ranges::count(file, '\n'), c.userLines) << file;
  }
}

// Flagged rows never acted on: a name holding a NUL (the registry's calls would reach another value) and a link (a key
// holding "SymbolicLinkValue") on the way to a watched key, its copy or a value entry's key. No scan touches them.
TEST(ReviewDialogTest, NamesWithANulAndLinksAreReportedAndNeverActedOn) {
  const std::wstring hidden(L"Run\0evil", 8), gone(L"Old\0x", 5), other = L"Software\\X", link = L"SymbolicLinkValue";
  const std::vector<std::wstring> keys = {kKey, kCopy, other};
  for (const bool links : {false, true}) {
    for (const std::wstring type : {kScanBackup, kScanRestore, kScanCompare}) {
      SCOPED_TRACE(ToAnsi(type) + (links ? ", links" : ""));
      World world;
      world.Set(kKey, L"Run", L"legit");
      world.Set(kCopy, L"Run", L"legit");
      world.memory.PutValue(kCurrentUser, links ? kCopy : kKey, links ? link : hidden, 6, Sz(L"\\Registry\\X").bytes);
      world.memory.PutValue(kCurrentUser, links ? other : kCopy, links ? link : gone, 6, Sz(L"\\Registry\\X").bytes);
      world.WatchKey(kKey);
      world.WatchValue(L"flag", other, L"F");
      std::vector<std::vector<StoredValue>> before;
      for (Text key : keys) before.push_back(world.memory.Values(kCurrentUser, key));
      world.Scan(type);
      std::vector<ChangeRow> rows;
      if (links)
        rows = {{{L"Link", L"", kCopy, kCopy, kKey}, kCurrentUser}, {{L"Link", L"", other, L"", other}, kCurrentUser}};
      else if (type[0] == L'C')
        rows = {{{L"Created", hidden, L"", kCopy, kKey}, kCurrentUser},
                {{L"Deleted", gone, L"", kCopy, kKey}, kCurrentUser}};
      EXPECT_EQ(world.Rows(), rows);
      EXPECT_EQ(world.watchList.FoundCount, static_cast<int>(rows.size()));
      ChangeList& list = world.dialog.LoadHidden();
      for (std::size_t r = 0; r < list.Count(); ++r) list.Row(r).Checked = r == 1;
      world.dialog.BrixButton1_Click();
      if (!links && type == L"Backup") before[1].pop_back();
      for (std::size_t k = 0; k < keys.size(); ++k) EXPECT_EQ(world.memory.Values(kCurrentUser, keys[k]), before[k]);
      EXPECT_FALSE(world.files.contents.contains(kUserList));
    }
  }
}

TEST(ReviewDialogTest, CountsDownFromThirtyAClickInTheListRestartsItAndAtZeroOkRuns) {
  World world;
  HeadlessForm& form = Show(world, {{{L"Created", L"A", L"1", kCopy, kKey}, kCurrentUser, true},
                                    {{L"Created", L"Tab\tB", L"2", kCopy, kKey}, kLocalMachine, true}});
  HeadlessButton& ok = *form.buttons.at(0);
  HeadlessList& list = *form.lists.at(0);
  ASSERT_EQ(list.RowCount(), 2u);
  EXPECT_EQ(list.Row(1), (ListRow{L"Created\tTab B\t2\t" + kCopy + L"\t" + kKey, kLocalMachine, true}));
  world.toolkit.AdvanceClock(999);
  EXPECT_EQ(ok.Caption(), L"OK");
  world.toolkit.AdvanceClock(26'001);
  EXPECT_EQ(ok.Caption(), L"OK [3]");
  world.dialog.LoadHidden();  // a loaded dialog stays as it is
  EXPECT_EQ(world.DialogForm()->buttons.at(0)->Caption(), L"OK [3]");
  EXPECT_EQ(ChangeRow{{std::wstring(L"A\0B", 3)}}.DisplayText(), L"A\u2400B") << "a NUL in a name is seen";
  list.ClickCheckMark(0);  // unticks A, and restarts the count
  world.toolkit.AdvanceClock(1000);
  EXPECT_EQ(ok.Caption(), L"OK [29]");
  form.checkBoxes.at(0)->Click();  // does not restart it
  world.toolkit.AdvanceClock(28'000);
  EXPECT_EQ(ok.Caption(), L"OK [1]");
  world.toolkit.AdvanceClock(1000);
  EXPECT_EQ(ok.Caption(), L"OK [0]");
  EXPECT_EQ(world.Get(kCopy, L"A"), kAbsent);
  EXPECT_EQ(world.Get(kCopy, L"Tab\tB", kLocalMachine), L"2");
  world.toolkit.AdvanceClock(5000);
  EXPECT_EQ(ok.captions.size(), 57u) << "the timer went with the dialog";
}

// With AutoRepair 0 only a mouse press on OK applies the rows; Cancel and the
// frame apply and write nothing. "Silent Mode" is the check box's state.
TEST(ReviewDialogTest, WhatEachWayOfLeavingTheDialogApplies) {
  const struct {
    const char* acts;  // Mouse OK, Keyboard OK, Pressed on OK and released outside, Tick, Cancel, Frame closed
    const wchar_t *copy, *silentMode;
  } cases[] = {{"M", L"1", L"0"},  {"K", kAbsent, L"0"}, {"P", L"1", L"0"},        {"", kAbsent, L"0"},
               {"TM", L"1", L"1"}, {"TTM", L"1", L"0"},  {"TC", kAbsent, kAbsent}, {"TF", kAbsent, kAbsent}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.acts);
    World world;
    world.state = {.AutoRepair = 0, .tavrelsilent = 0};
    world.Set(kKey, L"A", L"1");
    HeadlessForm& form = Show(world, {{{L"Created", L"A", L"1", kCopy, kKey}, kCurrentUser, true}});
    for (const char* act = c.acts; *act; ++act) {
      HeadlessButton& ok = *form.buttons.at(0);
      *act == 'M'   ? ok.ClickWithMouse()
      : *act == 'K' ? ok.ClickWithKeyboard()
      : *act == 'P' ? ok.PressWithMouseReleaseOutside()
      : *act == 'T' ? form.checkBoxes.at(0)->Click()
      : *act == 'C' ? form.buttons.at(1)->ClickWithMouse()
                    : form.CloseFromFrame();
    }
    world.toolkit.AdvanceClock(30'000);  // the count-down runs out for a dialog still open
    EXPECT_FALSE(world.dialog.IsLoaded());
    EXPECT_EQ(world.Get(kCopy, L"A"), c.copy);
    EXPECT_EQ(world.Get(kProgramKey, L"Silent Mode", kLocalMachine), c.silentMode);
  }
}

}  // namespace
}  // namespace tavrel::test
