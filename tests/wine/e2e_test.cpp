// The real tavrel.exe under Wine, driven through its windows as a person would, and started
// twice. What a start-up scan alone leaves in the registry is checked by guard-e2e.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>

namespace tavrel::e2e {
namespace {

constexpr wchar_t kFormClass[] = L"TavrelForm";
constexpr wchar_t kScanTitle[] = L"Brix Tavrel";
constexpr wchar_t kDialogTitle[] = L"Brix Tavrel:  Registry Question";
constexpr wchar_t kOwnKey[] = L"HKCU\\Software\\Brix Computers\\Tavrel";

// "HKCU\..." or "HKLM\...": the root and the path below it.
std::pair<HKEY, std::wstring> Split(const std::wstring& key) {
  return {key.starts_with(L"HKLM") ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key.substr(5)};
}
void Seed(const std::wstring& key, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values) {
  const auto [root, path] = Split(key);
  for (const auto& [name, data] : values) {
    RegSetKeyValueW(root, path.c_str(), name, REG_SZ, data, static_cast<DWORD>((wcslen(data) + 1) * sizeof(wchar_t)));
  }
}
std::optional<std::wstring> RegQuery(const std::wstring& key, const std::wstring& name) {
  const auto [root, path] = Split(key);
  wchar_t data[512] = {};
  DWORD size = sizeof(data);
  if (RegGetValueW(root, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size)) return std::nullopt;
  return data;
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
// The first row of a list that starts with this text, or LB_ERR.
int Row(HWND list, const std::wstring& start) {
  return static_cast<int>(
      SendMessageW(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(start.c_str())));
}
// A click on the check box of a row of the dialog's list, scrolled into view.
void ClickCheckBox(HWND list, int row) {
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
  const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  Click(list, POINT{6, (row - static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0))) * height + height / 2});
}

std::wstring Watched(const std::wstring& test) { return L"HKCU\\Software\\TavrelE2E\\" + test + L"\\Watched"; }
std::wstring Backup(const std::wstring& test) { return kOwnKey + Watched(test).substr(4); }

// A clean start for one test: its keys gone, and a folder laid out like an
// installation with tavrel.exe and a watch list that monitors Watched(test).
std::filesystem::path Install(const std::wstring& test) {
  for (const std::wstring& key :
       {L"Software\\TavrelE2E\\" + test, L"Software\\Brix Computers\\Tavrel\\Software\\TavrelE2E\\" + test}) {
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
  }
  const std::filesystem::path folder = std::filesystem::path(L"Z:" TAVREL_E2E_DIR) / L"installs" / test;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(L"Z:" TAVREL_EXE_PATH, folder / L"tavrel.exe");
  std::ofstream(folder / L"tavrel.ini", std::ios::binary) << "MONITOR\tHKEY_CURRENT_USER\\Software\\TavrelE2E\\"
                                                          << std::string(test.begin(), test.end()) << "\\Watched\r\n";
  return folder;
}

enum ScanType { kBackup, kRestore, kCompare };

// The tavrel.exe of an installation, started with these arguments and ended (if still running) when this goes.
class Tavrel {
 public:
  explicit Tavrel(const std::filesystem::path& folder, const std::wstring& arguments = L"") {
    std::wstring commandLine = L"\"" + (folder / L"tavrel.exe").make_preferred().wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_)) {
      info_ = {};
    }
  }
  ~Tavrel() {
    if (!info_.hProcess) return;
    if (!WaitForExit(0) && TerminateProcess(info_.hProcess, 99)) WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Tavrel(const Tavrel&) = delete;
  Tavrel& operator=(const Tavrel&) = delete;

  [[nodiscard]] std::optional<DWORD> WaitForExit(DWORD timeoutMs = 20000) const {
    DWORD code = 0;
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }
  [[nodiscard]] HWND Window(const wchar_t* className, const wchar_t* title, DWORD timeoutMs = 20000) const {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(100)) {
      for (HWND w = FindWindowExW(nullptr, nullptr, className, title); w;
           w = FindWindowExW(nullptr, w, className, title)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == info_.dwProcessId && IsWindowVisible(w)) return w;
      }
    }
    return nullptr;
  }
  HWND Scan(ScanType type) const {
    HWND window = Window(kFormClass, kScanTitle);
    SendMessageW(FindWindowExW(window, nullptr, L"ComboBox", nullptr), CB_SETCURSEL, type, 0);
    Click(FindWindowExW(window, nullptr, L"Button", L"Scan Now"));
    return window;
  }
  // The question dialog a scan shows: its list and OK (the first of its buttons).
  [[nodiscard]] std::pair<HWND, HWND> Dialog(DWORD timeoutMs = 20000) const {
    HWND dialog = Window(kFormClass, kDialogTitle, timeoutMs);
    return {FindWindowExW(dialog, nullptr, L"ListBox", nullptr),
            FindWindowExW(dialog, nullptr, L"TavrelGradientButton", nullptr)};
  }

 private:
  PROCESS_INFORMATION info_{};
};

// One scan that finds nothing to ask about: "Scan Complete" is confirmed and the program ends.
void ScanToCompletion(const Tavrel& tavrel, ScanType type) {
  tavrel.Scan(type);
  HWND box = tavrel.Window(L"#32770", L"Tavrel");
  EXPECT_NE(FindWindowExW(box, nullptr, L"Static", L"Scan Complete"), nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(tavrel.WaitForExit(), 0u);
}

// A person at the windows, a host's start-up scan beside them: Restore, Backup, a Compare whose rows are unticked
// and a value changed while it shows, OK; Restore again. The unnamed value ends no walk, removals are remembered
// under exactly their names (no look-alike is taken for them), a kept row stores what the dialog showed.
TEST(EndToEnd, APersonAtTheWindows) {
  const auto folder = Install(L"Interactive");
  const std::wstring watched = Watched(L"Interactive"), backup = Backup(L"Interactive");
  Seed(watched, {{L"", L"d"}, {L"Keep", L"k"}, {L"Old", L"o"}});
  // The mouse press on OK must set AutoRepair: start with it off.
  Seed(L"HKCU\\Software\\TavrelE2E\\Interactive\\Host", {{L"AutoRepair", L"0"}});
  const std::wstring arguments = L"interactive key=Software\\TavrelE2E\\Interactive\\Host";
  {
    const Tavrel first(folder, arguments);
    ASSERT_NE(first.Window(kFormClass, kScanTitle), nullptr);
    // The second instance waits for the first, then scans nothing and tells its host (red, exit code 6).
    ASSERT_EQ(Tavrel(folder, L"/scannow key=Software\\TavrelE2E\\Interactive\\Second").WaitForExit(), 6u);
    EXPECT_EQ(RegQuery(L"HKCU\\Software\\TavrelE2E\\Interactive\\Second", L"Tavrel Status"), L"255");
    ScanToCompletion(first, kRestore);
  }
  EXPECT_EQ(RegQuery(watched, L"Keep"), L"k") << "Restore without a backup copy";
  ScanToCompletion(Tavrel(folder, arguments), kBackup);

  const std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> removed = {
      {L"New", L"n"}, {L"evil\\Victim", L"x"}, {L"Updater ", L"x"}, {L"\u03A9mega", L"x"}};
  Seed(watched, removed);
  Seed(watched, {{L"Old", L"changed"}, {L"Updater", L"legit"}, {L"Race", L"seen"}});
  Seed(watched + L"\\evil", {{L"Victim", L"legit"}});
  {
    const Tavrel tavrel(folder, arguments);
    tavrel.Scan(kCompare);
    const auto [list, ok] = tavrel.Dialog();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 7);
    for (const auto& [name, data] : removed) {
      ClickCheckBox(list, Row(list, std::wstring(L"Created\t") + name + L"\t" + data + L"\t"));
    }
    const DWORD changed = 7;  // after the dialog showed "seen"
    RegSetKeyValueW(HKEY_CURRENT_USER, watched.substr(5).c_str(), L"Race", REG_DWORD, &changed, sizeof(changed));
    // The count-down shows on OK (first in tab order) from the first tick.
    for (const DWORD start = GetTickCount(); TextOf(ok) == L"OK" && GetTickCount() - start < 5000;) Sleep(100);
    EXPECT_TRUE(TextOf(ok).starts_with(L"OK [")) << "no count-down on OK";
    Click(ok);
    ASSERT_EQ(tavrel.WaitForExit(), 0u);
  }
  EXPECT_EQ(RegQuery(backup, L"Old"), L"changed");
  EXPECT_EQ(RegQuery(backup, L"Race"), L"seen");
  for (const auto& [name, data] : removed) EXPECT_EQ(RegQuery(watched, name), std::nullopt);
  Seed(watched, removed);  // they come back, and a start-up scan removes them again (exit code 2)
  ASSERT_EQ(Tavrel(folder, L"/scannow key=Software\\TavrelE2E\\Interactive\\AutoHost").WaitForExit(60000), 2u);
  for (const auto& [name, data] : removed) EXPECT_EQ(RegQuery(watched, name), std::nullopt);
  EXPECT_EQ(RegQuery(watched, L"Updater"), L"legit");
  EXPECT_EQ(RegQuery(watched + L"\\evil", L"Victim"), L"legit");

  Seed(watched, {{L"", L"changed"}, {L"Keep", L"changed"}, {L"Z", L"z"}});
  ScanToCompletion(Tavrel(folder), kRestore);
  EXPECT_EQ(RegQuery(watched, L""), L"d");
  EXPECT_EQ(RegQuery(watched, L"Keep"), L"k");
  EXPECT_EQ(RegQuery(watched, L"Z"), std::nullopt);
}

// Class 7: the check box of a row past 65,535 toggles that row, not one 65,536 rows earlier.
// Deleted rows are the cheapest to make and apply.
TEST(EndToEnd, ACheckBoxPastRow65535TogglesItsOwnRow) {
  const auto folder = Install(L"Rows");
  const auto name = [](int i) { return L"V" + std::to_wstring(100000 + i); };  // enumerated in row order
  for (int i = 0; i < 65600; ++i) Seed(Backup(L"Rows"), {{name(i).c_str(), L"x"}});
  Tavrel tavrel(folder);
  tavrel.Scan(kCompare);
  const auto [list, ok] = tavrel.Dialog(600000);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 65600);
  ClickCheckBox(list, 65540);
  Click(ok);
  ASSERT_EQ(tavrel.WaitForExit(600000), 0u);
  EXPECT_EQ(RegQuery(Watched(L"Rows"), name(65540)), L"x");  // unticked: put back
  EXPECT_EQ(RegQuery(Watched(L"Rows"), name(4)), std::nullopt);
}

}  // namespace
}  // namespace tavrel::e2e
