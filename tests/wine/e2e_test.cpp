// The real tavrel.exe under Wine: started the way a host program starts it,
// driven through its windows as a person would, and started twice.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <utility>

namespace tavrel::e2e {
namespace {

// A started program, ended (if still running) when this goes.
class Started {
 public:
  explicit Started(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_)) {
      info_ = {};
    }
  }
  ~Started() {
    if (!info_.hProcess) return;
    if (!WaitForExit(0) && TerminateProcess(info_.hProcess, 99)) WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;
  [[nodiscard]] DWORD Id() const noexcept { return info_.dwProcessId; }
  [[nodiscard]] std::optional<DWORD> WaitForExit(DWORD timeoutMs) {
    DWORD code = 0;
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_{};
};

// "HKCU\..." or "HKLM\...": the root and the path below it.
std::pair<HKEY, std::wstring> Split(const std::wstring& key) {
  return {key.starts_with(L"HKLM") ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key.substr(5)};
}
void RegAdd(const std::wstring& key, const std::wstring& name, const std::wstring& data) {
  const auto [root, path] = Split(key);
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  RegSetKeyValueW(root, path.c_str(), name.c_str(), REG_SZ, data.c_str(), bytes);
}
void DeleteKey(const std::wstring& key) {
  const auto [root, path] = Split(key);
  RegDeleteTreeW(root, path.c_str());
  RegDeleteKeyW(root, path.c_str());
}
// The data of a REG_SZ value, or nothing when the key or value is absent.
std::optional<std::wstring> RegQuery(const std::wstring& key, const std::wstring& name) {
  const auto [root, path] = Split(key);
  wchar_t data[512] = {};
  DWORD size = sizeof(data);
  if (RegGetValueW(root, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size)) return std::nullopt;
  return data;
}

// A visible top-level window of the process with this class (and title, unless null).
HWND WaitForWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD timeoutMs = 20000) {
  for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(100)) {
    for (HWND w = FindWindowExW(nullptr, nullptr, className, title); w;
         w = FindWindowExW(nullptr, w, className, title)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == processId && IsWindowVisible(w)) return w;
    }
  }
  return nullptr;
}

// WM_GETTEXT itself: GetWindowText does not ask another process's controls.
std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, nullptr);
  return text;
}

// A left click at a point of the client area (its centre when none is given).
void Click(HWND window, std::optional<POINT> at = std::nullopt) {
  RECT client{};
  GetClientRect(window, &client);
  const POINT p = at.value_or(POINT{client.right / 2, client.bottom / 2});
  const auto point = static_cast<LPARAM>(MAKELONG(p.x, p.y));
  PostMessageW(window, WM_MOUSEMOVE, 0, point);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(window, WM_LBUTTONUP, 0, point);
}

constexpr wchar_t kFormClass[] = L"TavrelForm";
constexpr wchar_t kScanTitle[] = L"Brix Tavrel";
constexpr wchar_t kOwnKey[] = L"HKCU\\Software\\Brix Computers\\Tavrel";
constexpr wchar_t kMachineKey[] = L"HKLM\\Software\\Brix Computers\\Tavrel";

std::wstring Watched(const std::wstring& test) { return L"HKCU\\Software\\TavrelE2E\\" + test + L"\\Watched"; }
std::wstring Backup(const std::wstring& test) { return kOwnKey + Watched(test).substr(4); }

// A clean start for one test: its keys gone, and a folder laid out like an
// installation with tavrel.exe and a watch list that monitors Watched(test).
std::filesystem::path Install(const std::wstring& test, const std::string& moreLines = {}) {
  DeleteKey(L"HKCU\\Software\\TavrelE2E\\" + test);
  DeleteKey(kOwnKey + (L"\\Software\\TavrelE2E\\" + test));
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

enum ScanType { kBackup, kRestore, kCompare };
constexpr wchar_t kDialogTitle[] = L"Brix Tavrel:  Registry Question";

// The scan window of a started tavrel.exe: picks the scan type and clicks Scan Now.
HWND ScanFromWindow(const Started& tavrel, ScanType type) {
  HWND window = WaitForWindow(tavrel.Id(), kFormClass, kScanTitle);
  SendMessageW(FindWindowExW(window, nullptr, L"ComboBox", nullptr), CB_SETCURSEL, type, 0);
  Click(FindWindowExW(window, nullptr, L"Button", L"Scan Now"));
  return window;
}
// One scan that finds nothing to ask about: "Scan Complete" is confirmed and the program ends.
void ScanToCompletion(const std::filesystem::path& folder, ScanType type) {
  Started tavrel = Tavrel(folder, L"");
  ScanFromWindow(tavrel, type);
  PostMessageW(WaitForWindow(tavrel.Id(), L"#32770", L"Tavrel"), WM_COMMAND, IDOK, 0);
  EXPECT_EQ(tavrel.WaitForExit(20000), 0u);
}
// A click on the check box of a row of the dialog's list, scrolled into view.
void ClickCheckBox(HWND list, int row) {
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
  const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  Click(list, POINT{6, (row - static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0))) * height + height / 2});
}

// A host program: seeds a watched key and its backup copy, starts
// tavrel.exe /scannow key=Software\TestHost, waits, and reads the outcome.
TEST(EndToEnd, HostProgramStartupScanAppliesRowsAndReportsUnderTheHostKey) {
  const auto folder = Install(L"Host", "Unwanted\tHKEY_CURRENT_USER\\Software\\TavrelE2E\\Host\\Other\\Evil\r\n");
  DeleteKey(L"HKCU\\Software\\TestHost");
  Seed(Watched(L"Host"), {{L"Keep", L"k"}, {L"Old", L"changed"}, {L"New", L"n"}});
  Seed(Backup(L"Host"), {{L"Keep", L"k"}, {L"Old", L"o"}, {L"Gone", L"g"}});
  RegAdd(L"HKCU\\Software\\TavrelE2E\\Host\\Other", L"Evil", L"x");

  ASSERT_EQ(Tavrel(folder, L"/scannow key=Software\\TestHost").WaitForExit(60000), 0u);

  EXPECT_EQ(RegQuery(L"HKCU\\Software\\TestHost", L"Tavrel Status"), L"255");
  EXPECT_EQ(RegQuery(L"HKCU\\Software\\TestHost", L"Tavrel Found"), L"1");
  const std::wregex stamp(LR"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
  EXPECT_TRUE(std::regex_match(RegQuery(L"HKCU\\Software\\TestHost", L"Tavrel Last Check").value_or(L""), stamp));
  // "Tavrel Silent Mode" and "AutoRepair" absent: every row applied at once.
  EXPECT_EQ(RegQuery(Backup(L"Host"), L"Old"), L"changed");
  EXPECT_EQ(RegQuery(Backup(L"Host"), L"New"), L"n");
  EXPECT_EQ(RegQuery(Backup(L"Host"), L"Gone"), std::nullopt);
  EXPECT_EQ(RegQuery(L"HKCU\\Software\\TavrelE2E\\Host\\Other", L"Evil"), std::nullopt);
  EXPECT_EQ(RegQuery(kMachineKey, L"Silent Mode"), L"1");
}

// A person at the scan window: a Backup scan, a change, then a Compare scan
// whose dialog gets one row unticked and OK clicked with the mouse.
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
    ASSERT_NE(FindWindowExW(box, nullptr, L"Static", L"Scan Complete"), nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    ASSERT_EQ(tavrel.WaitForExit(20000), 0u);
  }
  EXPECT_EQ(RegQuery(kOwnKey, L"Status"), L"65280");

  Seed(Watched(L"Interactive"), {{L"Old", L"changed"}, {L"New", L"n"}});  // something changes the watched key
  {
    Started tavrel = Tavrel(folder, arguments);
    HWND window = ScanFromWindow(tavrel, kCompare);
    HWND dialog = WaitForWindow(tavrel.Id(), kFormClass, kDialogTitle);
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
    ClickCheckBox(list, created);
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

// Two real processes: the second, a start-up scan, waits for the first, then scans nothing and tells its host (red).
TEST(EndToEnd, ASecondInstanceScansNothingAndTellsItsHost) {
  const auto folder = Install(L"Second");
  RegAdd(Watched(L"Second"), L"New", L"n");
  Started first = Tavrel(folder, L"");
  HWND window = WaitForWindow(first.Id(), kFormClass, kScanTitle);
  ASSERT_NE(window, nullptr);

  Started second = Tavrel(folder, L"/scannow key=Software\\TavrelE2E\\Second\\Host");
  ASSERT_EQ(second.WaitForExit(20000), 0u);
  EXPECT_EQ(RegQuery(L"HKCU\\Software\\TavrelE2E\\Second\\Host", L"Tavrel Status"), L"255");
  EXPECT_FALSE(std::filesystem::exists(folder / L"tavrel-user.ini"));

  // The first still runs; Close ends it, writing nothing.
  EXPECT_FALSE(first.WaitForExit(0).has_value());
  Click(FindWindowExW(window, nullptr, L"Button", L"Close"));
  EXPECT_EQ(first.WaitForExit(20000), 0u);
  EXPECT_EQ(RegQuery(Backup(L"Second"), L"New"), std::nullopt);
}

// Class 1: the unnamed value ends no walk, and Restore without a backup copy changes nothing.
TEST(EndToEnd, BackupAndRestoreWalkPastTheUnnamedValue) {
  const auto folder = Install(L"Restore");
  Seed(Watched(L"Restore"), {{L"", L"d"}, {L"A", L"a"}});
  ScanToCompletion(folder, kRestore);
  EXPECT_EQ(RegQuery(Watched(L"Restore"), L"A"), L"a") << "Restore without a backup copy";
  ScanToCompletion(folder, kBackup);
  Seed(Watched(L"Restore"), {{L"", L"changed"}, {L"Z", L"z"}});
  ScanToCompletion(folder, kRestore);
  EXPECT_EQ(RegQuery(Watched(L"Restore"), L""), L"d");
  EXPECT_EQ(RegQuery(Watched(L"Restore"), L"A"), L"a");
  EXPECT_EQ(RegQuery(Watched(L"Restore"), L"Z"), std::nullopt);
}

// Classes 5 and 4: values removed in the dialog are remembered under exactly their names,
// so no look-alike is taken for them; a kept row stores what the dialog showed.
TEST(EndToEnd, RemovalsAreRememberedExactlyAndAKeptRowStoresWhatWasShown) {
  const auto folder = Install(L"Names");
  const std::wstring watched = Watched(L"Names");
  const std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> removed = {
      {L"evil\\Victim", L"x"}, {L"Updater ", L"x"}, {L"\u03A9mega", L"x"}};
  Seed(watched, removed);
  Seed(watched, {{L"Updater", L"legit"}, {L"Race", L"seen"}});
  RegAdd(watched + L"\\evil", L"Victim", L"legit");
  {
    Started tavrel = Tavrel(folder, L"");
    ScanFromWindow(tavrel, kCompare);
    HWND dialog = WaitForWindow(tavrel.Id(), kFormClass, kDialogTitle);
    HWND list = FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
    for (const auto& [name, data] : removed) {
      const std::wstring start = std::wstring(L"Created\t") + name + L"\t";
      ClickCheckBox(list, static_cast<int>(SendMessageW(list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                                        reinterpret_cast<LPARAM>(start.c_str()))));
    }
    const DWORD changed = 7;  // after the dialog showed "seen"
    RegSetKeyValueW(HKEY_CURRENT_USER, watched.substr(5).c_str(), L"Race", REG_DWORD, &changed, sizeof(changed));
    Click(FindWindowExW(dialog, nullptr, L"TavrelGradientButton", nullptr));
    ASSERT_EQ(tavrel.WaitForExit(20000), 0u);
  }
  EXPECT_EQ(RegQuery(Backup(L"Names"), L"Race"), L"seen");
  Seed(watched, removed);  // they come back, and a start-up scan removes them again
  ASSERT_EQ(Tavrel(folder, L"/scannow key=Software\\TavrelE2E\\Names\\Host").WaitForExit(60000), 0u);
  for (const auto& [name, data] : removed) EXPECT_EQ(RegQuery(watched, name), std::nullopt);
  EXPECT_EQ(RegQuery(watched, L"Updater"), L"legit");
  EXPECT_EQ(RegQuery(watched + L"\\evil", L"Victim"), L"legit");
}

// Class 7: the check box of a row past 65,535 toggles that row, not one 65,536 rows earlier. Deleted rows
// of a key just below the root are the cheapest to make and apply: each key on a path is opened on its own.
TEST(EndToEnd, ACheckBoxPastRow65535TogglesItsOwnRow) {
  const auto folder = Install(L"Rows", "MONITOR\tHKEY_CURRENT_USER\\TavrelE2ERows\r\n");
  const std::wstring watched = L"HKCU\\TavrelE2ERows", backup = kOwnKey + watched.substr(4);
  DeleteKey(watched);
  DeleteKey(backup);
  const auto name = [](int i) { return L"V" + std::to_wstring(100000 + i); };  // enumerated in row order
  for (int i = 0; i < 65600; ++i) RegAdd(backup, name(i), L"x");
  Started tavrel = Tavrel(folder, L"");
  ScanFromWindow(tavrel, kCompare);
  HWND dialog = WaitForWindow(tavrel.Id(), kFormClass, kDialogTitle, 600000);
  HWND list = FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 65600);
  ClickCheckBox(list, 65540);
  Click(FindWindowExW(dialog, nullptr, L"TavrelGradientButton", nullptr));
  ASSERT_EQ(tavrel.WaitForExit(600000), 0u);
  EXPECT_EQ(RegQuery(watched, name(65540)), L"x");  // unticked: put back
  EXPECT_EQ(RegQuery(watched, name(4)), std::nullopt);
}

}  // namespace
}  // namespace tavrel::e2e
