// The Win32 toolkit under Wine: twips scaled with the window's DPI, the keys
// and mouse on buttons, the checked list, the locked combo and the timer.
#include "ui/win32/win32_toolkit.h"

#include <gtest/gtest.h>

#include "ui/win32/dpi.h"

namespace tavrel {
namespace {

LPARAM Point(int x, int y) {
  return static_cast<LPARAM>((static_cast<DWORD>(static_cast<WORD>(y)) << 16) | static_cast<WORD>(x));
}

// Dispatches what arrives for a while (posted input, timers).
void PumpFor(Toolkit& toolkit, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    toolkit.PumpPendingEvents();
    Sleep(10);
  } while (GetTickCount() - start < milliseconds);
}

RECT ClientRectOf(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class Win32ToolkitTest : public ::testing::Test {
 protected:
  std::unique_ptr<Form> Make(const wchar_t* caption) {
    auto form = toolkit.CreateForm({caption, 3975, 2100});
    window = FindWindowW(Win32Form::kClassName, caption);
    dpi = ReadWindowDpi(window);
    return form;
  }
  int Px(int twips) const { return MulDiv(twips, dpi, 1440); }

  Win32Toolkit toolkit{L"Tavrel"};
  HWND window = nullptr;
  int dpi = 96;
};

TEST_F(Win32ToolkitTest, SizesFormsAndControlsFromTwipsAtTheWindowsDpi) {
  auto form = Make(L"Geometry");
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(form->IsVisible());
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, Px(3975));
  EXPECT_EQ(client.bottom, Px(2100));
  form->AddPushButton({{600, 1440, 1215, 495}, kArial825Bold, L"Scan Now"});
  HWND button = FindWindowExW(window, nullptr, L"Button", L"Scan Now");
  ASSERT_NE(button, nullptr);
  const RECT placed = ClientRectOf(button);
  EXPECT_EQ(placed.left, Px(600));
  EXPECT_EQ(placed.top, Px(1440));
  EXPECT_EQ(placed.right - placed.left, Px(1215));
  // Fonts are made at the window's DPI: 8.25 pt.
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, -MulDiv(825, dpi, 7200));
  EXPECT_EQ(font.lfWeight, FW_BOLD);

  form->SetOuterHeight(3135);
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.bottom - outer.top, Px(3135));
  form->Show();
  EXPECT_TRUE(form->IsVisible());
  form->Unload();
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_FALSE(IsWindow(window));
  // The last form has gone: the event loop ends at once.
  EXPECT_EQ(toolkit.RunEventLoop(), 0);
}

TEST_F(Win32ToolkitTest, EnterAndSpaceClickOnlyTheFocusedButtonAndOnlyTheMousePresses) {
  auto form = Make(L"Keys");
  ButtonControl& first = form->AddPushButton({{100, 100, 1200, 400}, kArial825Bold, L"First"});
  ButtonControl& second = form->AddPushButton({{1500, 100, 1200, 400}, kArial825Bold, L"Second"});
  std::vector<std::string> events;
  first.OnClick = [&] { events.push_back("first click"); };
  first.OnMouseDown = [&] { events.push_back("first press"); };
  second.OnClick = [&] { events.push_back("second click"); };
  second.OnMouseDown = [&] { events.push_back("second press"); };
  form->Show();
  HWND firstWindow = FindWindowExW(window, nullptr, L"Button", L"First");
  HWND secondWindow = FindWindowExW(window, nullptr, L"Button", L"Second");
  EXPECT_EQ(GetFocus(), firstWindow);  // the first in tab order

  SetFocus(secondWindow);
  PostMessageW(secondWindow, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(secondWindow, WM_KEYUP, VK_RETURN, 1);
  PostMessageW(secondWindow, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(secondWindow, WM_KEYUP, VK_ESCAPE, 1);
  PumpFor(toolkit, 200);
  EXPECT_EQ(events, (std::vector<std::string>{"second click"}));

  events.clear();
  SetFocus(firstWindow);
  PostMessageW(firstWindow, WM_KEYDOWN, VK_SPACE, 1);
  PostMessageW(firstWindow, WM_KEYUP, VK_SPACE, 1);
  PumpFor(toolkit, 200);
  EXPECT_EQ(events, (std::vector<std::string>{"first click"}));

  events.clear();
  PostMessageW(secondWindow, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
  PostMessageW(secondWindow, WM_LBUTTONUP, 0, Point(5, 5));
  PostMessageW(firstWindow, WM_RBUTTONDOWN, MK_RBUTTON, Point(5, 5));
  PostMessageW(firstWindow, WM_RBUTTONUP, 0, Point(5, 5));
  PumpFor(toolkit, 200);
  EXPECT_EQ(events, (std::vector<std::string>{"second press", "second click", "first press"}));

  second.SetCaption(L"OK [29]");
  EXPECT_EQ(second.Caption(), L"OK [29]");
  wchar_t text[32] = {};
  GetWindowTextW(secondWindow, text, 32);
  EXPECT_STREQ(text, L"OK [29]");
}

TEST_F(Win32ToolkitTest, TheCheckedListKeepsTextTagAndCheckMarkAndFlipsOnItsBox) {
  auto form = Make(L"List");
  CheckedListControl& list = form->AddCheckedList({120, 100, 3700, 1500}, kArial825);
  list.SetTabStops({});
  list.SetTabStops({50, 125, 325});
  list.AddRow({L"Created\tNew\tn", 0x80000001u, true});
  list.AddRow({L"Changed\tOld\tx\ty", 0x80000002u, false});
  std::vector<std::pair<std::size_t, bool>> flips;
  int clicks = 0;
  list.OnCheckChanged = [&](std::size_t i, bool checked) { flips.emplace_back(i, checked); };
  list.OnClick = [&] { ++clicks; };
  form->Show();
  HWND box = FindWindowExW(window, nullptr, L"ListBox", nullptr);
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(list.RowCount(), 2u);
  EXPECT_EQ(list.Row(1), (ListRow{L"Changed\tOld\tx\ty", 0x80000002u, false}));
  EXPECT_EQ(SendMessageW(box, LB_GETCOUNT, 0, 0), 2);

  const auto height = static_cast<int>(SendMessageW(box, LB_GETITEMHEIGHT, 0, 0));
  PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, height + height / 2));  // row 1's box
  PostMessageW(box, WM_LBUTTONUP, 0, Point(5, height + height / 2));
  PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, Point(200, height / 2));  // row 0's text
  PostMessageW(box, WM_LBUTTONUP, 0, Point(200, height / 2));
  PumpFor(toolkit, 200);
  EXPECT_EQ(flips, (std::vector<std::pair<std::size_t, bool>>{{1, true}}));
  EXPECT_EQ(clicks, 2);
  SetFocus(box);
  PostMessageW(box, WM_KEYDOWN, VK_SPACE, 1);  // row 0 is selected
  PumpFor(toolkit, 200);
  EXPECT_EQ(flips.back(), (std::pair<std::size_t, bool>{0, false}));
  EXPECT_FALSE(list.Row(0).checked);
  EXPECT_TRUE(list.Row(1).checked);
}

TEST_F(Win32ToolkitTest, ALockedComboKeepsItsText) {
  auto form = Make(L"Combo");
  ComboControl& combo = form->AddCombo({{1680, 840, 1935, 315}, kArial825, L"Compare", {L"Backup", L"Restore", L"Compare"}});
  form->Show();
  HWND comboWindow = FindWindowExW(window, nullptr, L"ComboBox", nullptr);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(comboWindow, &info));
  EXPECT_EQ(combo.Text(), L"Compare");
  EXPECT_EQ(SendMessageW(comboWindow, CB_GETCOUNT, 0, 0), 3);

  combo.SetLocked(true);
  SetFocus(info.hwndItem);
  PostMessageW(info.hwndItem, WM_CHAR, L'x', 1);
  PostMessageW(info.hwndItem, WM_KEYDOWN, VK_UP, 1);
  PumpFor(toolkit, 200);
  EXPECT_EQ(combo.Text(), L"Compare");
  EXPECT_TRUE(combo.IsLocked());

  combo.SetLocked(false);
  SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
  PostMessageW(info.hwndItem, WM_CHAR, L'X', 1);
  PumpFor(toolkit, 200);
  EXPECT_EQ(combo.Text(), L"X");
}

TEST_F(Win32ToolkitTest, AnEnabledTimerTicksAndADisabledOneDoesNot) {
  auto form = Make(L"Timer");
  TimerControl& ticking = form->AddTimer(50);
  TimerControl& idle = form->AddTimer(50);
  int ticks = 0;
  int idleTicks = 0;
  ticking.OnTick = [&] { ++ticks; };
  idle.OnTick = [&] { ++idleTicks; };
  ticking.SetEnabled(true);
  PumpFor(toolkit, 400);
  EXPECT_GE(ticks, 2);
  EXPECT_EQ(idleTicks, 0);
  ticking.SetEnabled(false);
  const int stopped = ticks;
  PumpFor(toolkit, 200);
  EXPECT_EQ(ticks, stopped);
  // Unloading stops every timer.
  ticking.SetEnabled(true);
  form->Unload();
  PumpFor(toolkit, 200);
  EXPECT_EQ(ticks, stopped);
}

}  // namespace
}  // namespace tavrel
