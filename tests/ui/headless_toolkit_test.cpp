#include "ui/headless/headless_toolkit.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(HeadlessToolkitTest, TimersTickAtEachIntervalInTimeOrderAndRestartWhenEnabled) {
  HeadlessToolkit toolkit;
  auto form = toolkit.CreateForm({L"F", 100, 100});
  std::vector<std::string> ticks;
  TimerControl& slow = form->AddTimer(1000);
  TimerControl& fast = form->AddTimer(400);
  slow.OnTick = [&] { ticks.push_back("slow@" + std::to_string(toolkit.Now())); };
  fast.OnTick = [&] {
    ticks.push_back("fast@" + std::to_string(toolkit.Now()));
    if (toolkit.Now() >= 1200) fast.SetEnabled(false);
  };
  toolkit.AdvanceClock(500);  // nothing enabled yet
  slow.SetEnabled(true);
  fast.SetEnabled(true);
  toolkit.AdvanceClock(1500);
  EXPECT_EQ(ticks, (std::vector<std::string>{"fast@900", "fast@1300", "slow@1500"}));
  // Enabling an enabled timer changes nothing; disabling and enabling restarts it.
  slow.SetEnabled(true);
  slow.SetEnabled(false);
  slow.SetEnabled(true);
  ticks.clear();
  toolkit.AdvanceClock(1000);
  EXPECT_EQ(ticks, (std::vector<std::string>{"slow@3000"}));
}

TEST(HeadlessToolkitTest, AnUnloadedFormFiresNothing) {
  HeadlessToolkit toolkit;
  auto owned = toolkit.CreateForm({L"F", 100, 100});
  auto& form = static_cast<HeadlessForm&>(*owned);
  int events = 0;
  ButtonControl& button = form.AddPushButton({{}, {}, L"B"});
  // The handler unloads its own form: no click follows the press.
  button.OnMouseDown = [&] {
    ++events;
    form.Unload();
  };
  button.OnClick = [&] { ++events; };
  TimerControl& timer = form.AddTimer(1000);
  timer.OnTick = [&] { ++events; };
  timer.SetEnabled(true);
  form.buttons[0]->ClickWithMouse();
  EXPECT_EQ(events, 1);
  form.buttons[0]->ClickWithKeyboard();
  toolkit.AdvanceClock(5000);
  form.Show();
  EXPECT_EQ(events, 1);
  EXPECT_FALSE(form.IsVisible());
  EXPECT_EQ(toolkit.LoadedFormCount(), 0);
  EXPECT_EQ(toolkit.LoadedForm(L"F"), nullptr);
  // A form without a frame-close handler unloads itself.
  auto other = toolkit.CreateForm({L"G", 100, 100});
  static_cast<HeadlessForm&>(*other).CloseFromFrame();
  EXPECT_FALSE(other->IsLoaded());
}

TEST(HeadlessToolkitTest, APumpDeliversOnlyTheEventsAlreadyWaiting) {
  HeadlessToolkit toolkit;
  std::vector<int> seen;
  toolkit.Post([&] {
    seen.push_back(1);
    toolkit.Post([&] { seen.push_back(3); });
  });
  toolkit.Post([&] { seen.push_back(2); });
  toolkit.PumpPendingEvents();
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
  EXPECT_EQ(toolkit.RunEventLoop(), 0);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
}

TEST(HeadlessToolkitTest, ListsAndCheckBoxesReportUserChanges) {
  HeadlessToolkit toolkit;
  auto owned = toolkit.CreateForm({L"F", 100, 100});
  auto& form = static_cast<HeadlessForm&>(*owned);
  CheckedListControl& list = form.AddCheckedList({}, kArial825);
  list.AddRow({L"a\tb", 7, true});
  std::vector<std::pair<std::size_t, bool>> changes;
  int clicks = 0;
  list.OnCheckChanged = [&](std::size_t i, bool c) { changes.emplace_back(i, c); };
  list.OnClick = [&] { ++clicks; };
  form.lists[0]->ClickRow(0);
  form.lists[0]->ClickCheckMark(0);
  form.lists[0]->ClickCheckMark(5);  // no such row
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(changes, (std::vector<std::pair<std::size_t, bool>>{{0, false}}));
  EXPECT_EQ(list.Row(0), (ListRow{L"a\tb", 7, false}));
  CheckBoxControl& box = form.AddCheckBox({}, kArial825, L"c");
  bool seenInHandler = false;
  box.OnClick = [&] { seenInHandler = box.IsChecked(); };
  form.checkBoxes[0]->Click();
  EXPECT_TRUE(seenInHandler);
}

}  // namespace
}  // namespace tavrel
