// The real tavrel.exe under Wine: started the way a host program starts it,
// driven through its windows as a person would, and started twice. The
// registry is seeded and checked with the system's reg.exe.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "tests/wine/driver.h"

namespace tavrel::e2e {
namespace {

constexpr wchar_t kFormClass[] = L"TavrelForm";
constexpr wchar_t kScanTitle[] = L"Brix Tavrel";
constexpr wchar_t kOwnKey[] = L"HKCU\\Software\\Brix Computers\\Tavrel";
constexpr wchar_t kMachineKey[] = L"HKLM\\Software\\Brix Computers\\Tavrel";

std::wstring Watched(const std::wstring& test) { return L"HKCU\\Software\\TavrelE2E\\" + test + L"\\Watched"; }
std::wstring Backup(const std::wstring& test) {
  return std::wstring(kOwnKey) + L"\\Software\\TavrelE2E\\" + test + L"\\Watched";
}

// A clean start for one test: its keys gone, and a folder laid out like an
// installation with tavrel.exe and a watch list that monitors Watched(test).
std::filesystem::path Install(const std::wstring& test, const std::string& moreLines = {}) {
  RegDeleteKey(L"HKCU\\Software\\TavrelE2E\\" + test);
  RegDeleteKey(std::wstring(kOwnKey) + L"\\Software\\TavrelE2E\\" + test);
  const std::filesystem::path folder = std::filesystem::path(L"Z:" TAVREL_E2E_DIR) / L"installs" / test;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(L"Z:" TAVREL_EXE_PATH, folder / L"tavrel.exe");
  std::ofstream(folder / L"tavrel.ini", std::ios::binary)
      << "MONITOR\tHKEY_CURRENT_USER\\Software\\TavrelE2E\\" << std::string(test.begin(), test.end()) << "\\Watched\r\n"
      << moreLines;
  return folder;
}
Started Tavrel(const std::filesystem::path& folder, const std::wstring& arguments) {
  return Started(L"\"" + (folder / L"tavrel.exe").make_preferred().wstring() + L"\" " + arguments);
}
void Seed(const std::wstring& key, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values) {
  for (const auto& [name, data] : values) RegAdd(key, name, data);
}
bool IsStamp(const std::optional<std::wstring>& text) {
  return text && std::regex_match(*text, std::wregex(LR"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"));
}

// A host program: seeds a watched key and its backup copy, starts
// tavrel.exe /scannow key=Software\TestHost, waits, and reads the outcome.
TEST(EndToEnd, HostProgramStartupScanAppliesRowsAndReportsUnderTheHostKey) {
  const auto folder = Install(L"Host", "Unwanted\tHKEY_CURRENT_USER\\Software\\TavrelE2E\\Host\\Other\\Evil\r\n");
  RegDeleteKey(L"HKCU\\Software\\TestHost");
  Seed(Watched(L"Host"), {{L"Keep", L"k"}, {L"Old", L"changed"}, {L"New", L"n"}});
  Seed(Backup(L"Host"), {{L"Keep", L"k"}, {L"Old", L"o"}, {L"Gone", L"g"}});
  RegAdd(L"HKCU\\Software\\TavrelE2E\\Host\\Other", L"Evil", L"x");

  ASSERT_EQ(Tavrel(folder, L"/scannow key=Software\\TestHost").WaitForExit(60000), 0u);

  EXPECT_EQ(RegQuery(L"HKCU\\Software\\TestHost", L"Tavrel Status"), L"255");
  EXPECT_EQ(RegQuery(L"HKCU\\Software\\TestHost", L"Tavrel Found"), L"1");
  EXPECT_TRUE(IsStamp(RegQuery(L"HKCU\\Software\\TestHost", L"Tavrel Last Check")));
  // "Tavrel Silent Mode" and "AutoRepair" absent: every row applied at once.
  EXPECT_EQ(RegQuery(Backup(L"Host"), L"Old"), L"changed");
  EXPECT_EQ(RegQuery(Backup(L"Host"), L"New"), L"n");
  EXPECT_EQ(RegQuery(Backup(L"Host"), L"Gone"), std::nullopt);
  EXPECT_EQ(RegQuery(L"HKCU\\Software\\TavrelE2E\\Host\\Other", L"Evil"), std::nullopt);
  EXPECT_EQ(RegQuery(kMachineKey, L"Silent Mode"), L"1");
}

// A person at the scan window, played by this driver: a Backup scan, a
// change, then a Compare scan whose dialog gets one row unticked and OK
// clicked with the mouse.
TEST(EndToEnd, InteractiveScansThroughTheWindows) {
  const auto folder = Install(L"Interactive");
  Seed(Watched(L"Interactive"), {{L"Keep", L"k"}, {L"Old", L"o"}});
  // The mouse press on OK must set AutoRepair: start with it off.
  RegAdd(L"HKCU\\Software\\TavrelE2E\\Interactive\\Host", L"AutoRepair", L"0");
  const std::wstring arguments = L"interactive key=Software\\TavrelE2E\\Interactive\\Host";
  {
    Started tavrel = Tavrel(folder, arguments);
    HWND window = WaitForWindow(tavrel.Id(), kFormClass, kScanTitle);
    ASSERT_NE(window, nullptr);
    HWND combo = FindWindowExW(window, nullptr, L"ComboBox", nullptr);
    EXPECT_EQ(TextOf(combo), L"Compare");
    SendMessageW(combo, CB_SETCURSEL, 0, 0);  // Backup
    Click(FindWindowExW(window, nullptr, L"Button", L"Scan Now"));
    HWND box = WaitForWindow(tavrel.Id(), L"#32770", L"Tavrel");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(FindWindowExW(box, nullptr, L"Static", L"Scan Complete"), nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    ASSERT_EQ(tavrel.WaitForExit(20000), 0u);
  }
  EXPECT_EQ(RegQuery(Backup(L"Interactive"), L"Old"), L"o");
  EXPECT_EQ(RegQuery(kOwnKey, L"Status"), L"65280");
  EXPECT_EQ(RegQuery(kOwnKey, L"Found"), L"0");
  EXPECT_TRUE(IsStamp(RegQuery(kOwnKey, L"Last Check")));

  Seed(Watched(L"Interactive"), {{L"Old", L"changed"}, {L"New", L"n"}});  // something changes the watched key
  {
    Started tavrel = Tavrel(folder, arguments);
    HWND window = WaitForWindow(tavrel.Id(), kFormClass, kScanTitle);
    ASSERT_NE(window, nullptr);
    SendMessageW(FindWindowExW(window, nullptr, L"ComboBox", nullptr), CB_SETCURSEL, 2, 0);
    Click(FindWindowExW(window, nullptr, L"Button", L"Scan Now"));
    HWND dialog = WaitForWindow(tavrel.Id(), kFormClass, L"Brix Tavrel:  Registry Question");
    ASSERT_NE(dialog, nullptr);
    for (int i = 0; i < 50 && IsWindow(window); ++i) Sleep(100);
    EXPECT_FALSE(IsWindow(window)) << "the scan window stays once the dialog shows";
    HWND list = FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    const auto find = [&](const wchar_t* start) {
      return SendMessageW(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(start));
    };
    const auto created = static_cast<int>(find(L"Created\tNew\tn\t"));
    EXPECT_EQ(created + find(L"Changed\tOld\tchanged\to\t"), 1) << "the rows are not the created and the changed value";
    // Untick the created value: a click on its row's check box.
    const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    Click(list, POINT{6, created * height + height / 2});
    // The count-down shows on OK (first in tab order) from the first tick.
    HWND ok = FindWindowExW(dialog, nullptr, L"TavrelGradientButton", nullptr);
    for (const DWORD start = GetTickCount(); TextOf(ok) == L"OK" && GetTickCount() - start < 5000;) Sleep(100);
    EXPECT_TRUE(TextOf(ok).starts_with(L"OK [")) << "no count-down on OK";
    Click(ok);
    ASSERT_EQ(tavrel.WaitForExit(20000), 0u);
  }
  // The changed value was kept, the unticked new value undone and remembered.
  EXPECT_EQ(RegQuery(Backup(L"Interactive"), L"Old"), L"changed");
  EXPECT_EQ(RegQuery(Watched(L"Interactive"), L"New"), std::nullopt);
  EXPECT_EQ(RegQuery(Backup(L"Interactive"), L"New"), std::nullopt);
  EXPECT_EQ(RegQuery(kMachineKey, L"Silent Mode"), L"0");
  std::ifstream file(folder / L"tavrel-user.ini", std::ios::binary);
  const std::string userList{std::istreambuf_iterator<char>(file), {}};
  EXPECT_NE(userList.find("\tHKEY_CURRENT_USER\\Software\\TavrelE2E\\Interactive\\Watched\\New"), std::string::npos)
      << userList;
}

// Two real processes: the second ends at once and touches nothing.
TEST(EndToEnd, ASecondInstanceEndsAtOnceWithoutSideEffects) {
  const auto folder = Install(L"Second");
  RegAdd(Watched(L"Second"), L"New", L"n");
  Started first = Tavrel(folder, L"");
  HWND window = WaitForWindow(first.Id(), kFormClass, kScanTitle);
  ASSERT_NE(window, nullptr);

  Started second = Tavrel(folder, L"/scannow key=Software\\TavrelE2E\\Second\\Host");
  ASSERT_EQ(second.WaitForExit(20000), 0u);
  EXPECT_FALSE(RegKeyExists(L"HKCU\\Software\\TavrelE2E\\Second\\Host"));
  EXPECT_FALSE(std::filesystem::exists(folder / L"tavrel-user.ini"));

  // The first still runs; Close ends it, writing nothing.
  EXPECT_FALSE(first.WaitForExit(0).has_value());
  Click(FindWindowExW(window, nullptr, L"Button", L"Close"));
  EXPECT_EQ(first.WaitForExit(20000), 0u);
  EXPECT_FALSE(RegKeyExists(Backup(L"Second")));
}

}  // namespace
}  // namespace tavrel::e2e
