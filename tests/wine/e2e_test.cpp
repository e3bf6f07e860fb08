// The real tavrel.exe under Wine: started the way a host program starts it,
// driven interactively through its windows, and started twice. The registry
// is seeded and checked with the system's reg.exe.
#include <gtest/gtest.h>

#include <fstream>
#include <filesystem>
#include <regex>
#include <sstream>

#include "tests/wine/driver.h"

namespace tavrel::e2e {
namespace {

constexpr wchar_t kFormClass[] = L"TavrelForm";
constexpr wchar_t kScanTitle[] = L"Brix Tavrel";
constexpr wchar_t kDialogTitle[] = L"Brix Tavrel:  Registry Question";
constexpr wchar_t kOwnKey[] = L"HKCU\\Software\\Brix Computers\\Tavrel";

std::wstring Watched(const std::wstring& test) { return L"HKCU\\Software\\TavrelE2E\\" + test + L"\\Watched"; }
std::wstring Backup(const std::wstring& test) {
  return L"HKCU\\Software\\Brix Computers\\Tavrel\\Software\\TavrelE2E\\" + test + L"\\Watched";
}
std::wstring MonitorLine(const std::wstring& test) {
  return L"MONITOR\tHKEY_CURRENT_USER\\Software\\TavrelE2E\\" + test + L"\\Watched";
}
void Reset(const std::wstring& test) {
  RegDeleteKey(L"HKCU\\Software\\TavrelE2E\\" + test);
  RegDeleteKey(L"HKCU\\Software\\Brix Computers\\Tavrel\\Software\\TavrelE2E\\" + test);
}
std::wstring ReadFileText(const std::wstring& path) {
  std::ifstream file{std::filesystem::path(path), std::ios::binary};
  std::stringstream text;
  text << file.rdbuf();
  const std::string bytes = text.str();
  return {bytes.begin(), bytes.end()};
}
bool IsStamp(const std::optional<std::wstring>& text) {
  return text && std::regex_match(std::string(text->begin(), text->end()),
                                  std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"));
}
std::wstring ListText(HWND list, int index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

// No window manager runs on Xvfb: Wine draws the title bars and frames
// itself, so that the screenshots show them.
class WineDrawsFrames : public ::testing::Environment {
 public:
  void SetUp() override {
    RegAdd(L"HKCU\\Software\\Wine\\X11 Driver", L"Decorated", L"N");
    RegAdd(L"HKCU\\Software\\Wine\\X11 Driver", L"Managed", L"N");
  }
};
const auto* const kFrames = ::testing::AddGlobalTestEnvironment(new WineDrawsFrames);

// A host program: seeds a watched key and its backup copy, starts
// tavrel.exe /scannow key=Software\TestHost, waits, and reads the outcome.
TEST(EndToEnd, HostProgramStartupScanAppliesRowsAndReportsUnderTheHostKey) {
  const std::wstring test = L"Host";
  Reset(test);
  RegDeleteKey(L"HKCU\\Software\\TestHost");
  RegAdd(Watched(test), L"Keep", L"k");
  RegAdd(Watched(test), L"Old", L"changed");
  RegAdd(Watched(test), L"New", L"n");
  RegAdd(Backup(test), L"Keep", L"k");
  RegAdd(Backup(test), L"Old", L"o");
  RegAdd(Backup(test), L"Gone", L"g");
  RegAdd(L"HKCU\\Software\\TavrelE2E\\Host\\Other", L"Evil", L"x");
  const std::wstring exe =
      Install(L"host", {MonitorLine(test), L"Unwanted\tHKEY_CURRENT_USER\\Software\\TavrelE2E\\Host\\Other\\Evil"});

  Started tavrel(exe, L"/scannow key=Software\\TestHost");
  ASSERT_EQ(tavrel.WaitForExit(60000), std::optional<DWORD>(0));

  EXPECT_EQ(RegQuery(L"HKCU\\Software\\TestHost", L"Tavrel Status"), L"255");
  EXPECT_EQ(RegQuery(L"HKCU\\Software\\TestHost", L"Tavrel Found"), L"1");
  EXPECT_TRUE(IsStamp(RegQuery(L"HKCU\\Software\\TestHost", L"Tavrel Last Check")));
  // "Tavrel Silent Mode" and "AutoRepair" absent: every row applied at once.
  EXPECT_EQ(RegQuery(Backup(test), L"Old"), L"changed");
  EXPECT_EQ(RegQuery(Backup(test), L"New"), L"n");
  EXPECT_EQ(RegQuery(Backup(test), L"Gone"), std::nullopt);
  EXPECT_EQ(RegQuery(L"HKCU\\Software\\TavrelE2E\\Host\\Other", L"Evil"), std::nullopt);
  EXPECT_EQ(RegQuery(Watched(test), L"New"), L"n");
  EXPECT_EQ(RegQuery(L"HKLM\\Software\\Brix Computers\\Tavrel", L"Silent Mode"), L"1");
}

// A person at the scan window, played by this driver: a Backup scan, a
// change, then a Compare scan whose dialog gets one row unticked and OK
// clicked with the mouse.
TEST(EndToEnd, InteractiveScansThroughTheWindows) {
  const std::wstring test = L"Interactive";
  Reset(test);
  RegAdd(Watched(test), L"Keep", L"k");
  RegAdd(Watched(test), L"Old", L"o");
  // The mouse press on OK must set AutoRepair: start with it off.
  RegAdd(L"HKCU\\Software\\TavrelE2E\\Interactive\\Host", L"AutoRepair", L"0");
  // Two more entries, for keys that do not exist, so that the progress bar has steps.
  const std::wstring exe = Install(L"interactive", {MonitorLine(test), MonitorLine(L"Interactive\\Absent1"),
                                                    MonitorLine(L"Interactive\\Absent2")});
  const std::wstring arguments = L"interactive key=Software\\TavrelE2E\\Interactive\\Host";
  const std::wstring shots = ScreenshotFolder();

  {
    Started tavrel(exe, arguments);
    HWND window = WaitForWindow(tavrel.Id(), kFormClass, kScanTitle);
    ASSERT_NE(window, nullptr);
    HWND combo = FindChild(window, L"ComboBox");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(TextOf(combo), L"Compare");
    EXPECT_TRUE(Screenshot(window, shots + L"\\scan-window.png"));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(TextOf(combo), L"Backup");
    RECT before{};
    GetWindowRect(window, &before);
    Click(FindChildByText(window, L"Button", L"Scan Now"));
    HWND box = WaitForWindow(tavrel.Id(), L"#32770", L"Tavrel");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(FindChildByText(box, L"Static", L"Scan Complete"), nullptr);
    RECT grown{};
    GetWindowRect(window, &grown);
    EXPECT_GT(grown.bottom - grown.top, before.bottom - before.top);
    EXPECT_FALSE(IsWindowEnabled(window));  // the box is modal
    EXPECT_TRUE(Screenshot(window, shots + L"\\scan-window-scanning.png"));
    EXPECT_TRUE(Screenshot(box, shots + L"\\scan-complete.png"));
    PostMessageW(box, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    ASSERT_EQ(tavrel.WaitForExit(20000), std::optional<DWORD>(0));
  }
  EXPECT_EQ(RegQuery(Backup(test), L"Keep"), L"k");
  EXPECT_EQ(RegQuery(Backup(test), L"Old"), L"o");
  EXPECT_EQ(RegQuery(kOwnKey, L"Status"), L"65280");
  EXPECT_EQ(RegQuery(kOwnKey, L"Found"), L"0");
  EXPECT_TRUE(IsStamp(RegQuery(kOwnKey, L"Last Check")));

  // Something changes the watched key.
  RegAdd(Watched(test), L"Old", L"changed");
  RegAdd(Watched(test), L"New", L"n");
  {
    Started tavrel(exe, arguments);
    HWND window = WaitForWindow(tavrel.Id(), kFormClass, kScanTitle);
    ASSERT_NE(window, nullptr);
    HWND combo = FindChild(window, L"ComboBox");
    SendMessageW(combo, CB_SETCURSEL, 2, 0);
    EXPECT_EQ(TextOf(combo), L"Compare");
    Click(FindChildByText(window, L"Button", L"Scan Now"));
    HWND dialog = WaitForWindow(tavrel.Id(), kFormClass, kDialogTitle);
    ASSERT_NE(dialog, nullptr);
    // The scan window closes once the status values are written.
    for (int i = 0; i < 50 && IsWindow(window); ++i) Sleep(100);
    EXPECT_FALSE(IsWindow(window));
    HWND list = FindChild(dialog, L"ListBox");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    int created = -1;
    for (int i = 0; i < 2; ++i) {
      const std::wstring row = ListText(list, i);
      if (row.starts_with(L"Created\tNew\tn\t")) created = i;
      if (i != created) {
        EXPECT_TRUE(row.starts_with(L"Changed\tOld\tchanged\to\t")) << std::string(row.begin(), row.end());
      }
      EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0), static_cast<LRESULT>(0x80000001u));
    }
    ASSERT_NE(created, -1);
    // Untick the created value: a click on its row's check box.
    const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    ClickAt(list, 6, (created - top) * height + height / 2);
    Settle(list);
    // The count-down shows on OK from the first tick.
    HWND ok = FindChild(dialog, L"TavrelGradientButton", 0);  // first in tab order
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(TextOf(ok).substr(0, 2), L"OK");
    const DWORD start = GetTickCount();
    while (TextOf(ok) == L"OK" && GetTickCount() - start < 5000) Sleep(100);
    EXPECT_EQ(TextOf(ok).substr(0, 4), L"OK [");
    EXPECT_TRUE(Screenshot(dialog, shots + L"\\review-dialog.png"));
    Click(ok);
    ASSERT_EQ(tavrel.WaitForExit(20000), std::optional<DWORD>(0));
  }
  // The changed value was kept, the unticked new value undone and remembered.
  EXPECT_EQ(RegQuery(Backup(test), L"Old"), L"changed");
  EXPECT_EQ(RegQuery(Watched(test), L"Old"), L"changed");
  EXPECT_EQ(RegQuery(Watched(test), L"New"), std::nullopt);
  EXPECT_EQ(RegQuery(Backup(test), L"New"), std::nullopt);
  EXPECT_EQ(RegQuery(L"HKLM\\Software\\Brix Computers\\Tavrel", L"Silent Mode"), L"0");
  const std::wstring userList = ReadFileText(exe.substr(0, exe.rfind(L'\\')) + L"\\tavrel-user.ini");
  EXPECT_NE(userList.find(L"\tHKEY_CURRENT_USER\\Software\\TavrelE2E\\Interactive\\Watched\\New"), std::wstring::npos)
      << std::string(userList.begin(), userList.end());
}

// Two real processes: the second ends at once and touches nothing.
TEST(EndToEnd, ASecondInstanceEndsAtOnceWithoutSideEffects) {
  const std::wstring test = L"Second";
  Reset(test);
  RegAdd(Watched(test), L"New", L"n");
  const std::wstring exe = Install(L"second", {MonitorLine(test)});
  Started first(exe, L"");
  HWND window = WaitForWindow(first.Id(), kFormClass, kScanTitle);
  ASSERT_NE(window, nullptr);

  Started second(exe, L"/scannow key=Software\\TavrelE2E\\Second\\Host");
  ASSERT_EQ(second.WaitForExit(20000), std::optional<DWORD>(0));
  EXPECT_EQ(WaitForWindow(second.Id(), kFormClass, nullptr, 500), nullptr);
  EXPECT_FALSE(RegKeyExists(L"HKCU\\Software\\TavrelE2E\\Second\\Host"));
  EXPECT_FALSE(RegKeyExists(Backup(test)));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(exe.substr(0, exe.rfind(L'\\')) + L"\\tavrel-user.ini")));

  // The first still runs; Close ends it, writing nothing.
  EXPECT_FALSE(first.WaitForExit(0).has_value());
  Click(FindChildByText(window, L"Button", L"Close"));
  EXPECT_EQ(first.WaitForExit(20000), std::optional<DWORD>(0));
  EXPECT_FALSE(RegKeyExists(Backup(test)));
}

}  // namespace
}  // namespace tavrel::e2e
