#include "tests/wine/driver.h"

#include <algorithm>
#include <fstream>
#include <filesystem>

#include "tests/wine/png_writer.h"

namespace tavrel::e2e {
namespace {

std::wstring FromOem(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int length = MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
  return text;
}

std::wstring WindowsPath(const std::string& unixPath) {
  std::wstring path = L"Z:";
  for (const char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

LPARAM Point(int x, int y) {
  return static_cast<LPARAM>((static_cast<DWORD>(static_cast<WORD>(y)) << 16) | static_cast<WORD>(x));
}

}  // namespace

RunResult Run(const std::wstring& commandLine, DWORD timeoutMs) {
  RunResult result;
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {1, {}};
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION info{};
  std::wstring mutableLine = commandLine;
  const BOOL started = CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      nullptr, &startup, &info);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return {1, {}};
  }
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0) result.output.append(buffer, got);
  CloseHandle(readEnd);
  if (WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  GetExitCodeProcess(info.hProcess, &result.exitCode);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return result;
}

void RegAdd(const std::wstring& key, const std::wstring& name, const std::wstring& data) {
  (void)Run(L"reg.exe add " + Quoted(key) + L" /v " + Quoted(name) + L" /t REG_SZ /d " + Quoted(data) + L" /f");
}

void RegDeleteKey(const std::wstring& key) { (void)Run(L"reg.exe delete " + Quoted(key) + L" /f"); }

std::optional<std::wstring> RegQuery(const std::wstring& key, const std::wstring& name) {
  const RunResult run = Run(L"reg.exe query " + Quoted(key) + L" /v " + Quoted(name));
  if (run.exitCode != 0) return std::nullopt;
  const std::wstring output = FromOem(run.output);
  const std::wstring marker = L"    REG_SZ    ";
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find(L'\n', start);
    if (end == std::wstring::npos) end = output.size();
    std::wstring line = output.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    const std::size_t at = line.find(marker);
    if (at != std::wstring::npos && line.substr(0, at).find(name) != std::wstring::npos) {
      return line.substr(at + marker.size());
    }
    start = end + 1;
  }
  return std::nullopt;
}

bool RegKeyExists(const std::wstring& key) { return Run(L"reg.exe query " + Quoted(key)).exitCode == 0; }

Started::Started(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring commandLine = Quoted(exe) + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info_)) {
    info_ = {};
  }
}

Started::~Started() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

std::optional<DWORD> Started::WaitForExit(DWORD timeoutMs) {
  if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

HWND WaitForWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD timeoutMs) {
  struct Search {
    DWORD processId;
    const wchar_t* className;
    const wchar_t* title;
    HWND found;
  } search{processId, className, title, nullptr};
  const DWORD start = GetTickCount();
  do {
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          wchar_t name[256] = {};
          GetClassNameW(window, name, 256);
          if (owner == s.processId && IsWindowVisible(window) && std::wstring(name) == s.className &&
              (s.title == nullptr || TextOf(window) == s.title)) {
            s.found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(100);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

HWND FindChild(HWND parent, const wchar_t* className, int n) {
  HWND child = nullptr;
  for (int i = 0; i <= n; ++i) {
    child = FindWindowExW(parent, child, className, nullptr);
    if (!child) return nullptr;
  }
  return child;
}

HWND FindChildByText(HWND parent, const wchar_t* className, const std::wstring& text) {
  for (HWND child = FindWindowExW(parent, nullptr, className, nullptr); child;
       child = FindWindowExW(parent, child, className, nullptr)) {
    if (TextOf(child) == text) return child;
  }
  return nullptr;
}

std::wstring TextOf(HWND window) {
  // WM_GETTEXT itself: GetWindowText does not ask another process's controls.
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &copied);
  return text;
}

void ClickAt(HWND window, int x, int y) {
  PostMessageW(window, WM_MOUSEMOVE, 0, Point(x, y));
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, Point(x, y));
}

void Click(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  ClickAt(window, rect.right / 2, rect.bottom / 2);
}

void Settle(HWND window) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

bool Screenshot(HWND window, const std::wstring& path) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  Settle(window);
  Sleep(300);
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool saved = false;
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    const auto* begin = static_cast<const std::uint8_t*>(bits);
    const std::vector<std::uint8_t> pixels(begin, begin + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    saved = WritePng(path, width, height, pixels);
    SelectObject(memory, old);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

std::wstring Install(const std::wstring& name, const std::vector<std::wstring>& watchList) {
  const std::wstring folder = WindowsPath(TAVREL_E2E_DIR) + L"\\installs\\" + name;
  std::filesystem::create_directories(std::filesystem::path(folder));
  const std::wstring exe = folder + L"\\tavrel.exe";
  CopyFileW(WindowsPath(TAVREL_EXE_PATH).c_str(), exe.c_str(), FALSE);
  DeleteFileW((folder + L"\\tavrel-user.ini").c_str());
  std::string bytes;
  for (const auto& line : watchList) {
    for (const wchar_t c : line) bytes += static_cast<char>(c);  // the lists here are ASCII
    bytes += "\r\n";
  }
  std::ofstream(std::filesystem::path(folder + L"\\tavrel.ini"), std::ios::binary) << bytes;
  return exe;
}

std::wstring ScreenshotFolder() {
  const std::wstring folder = WindowsPath(TAVREL_SCREENSHOT_DIR);
  std::filesystem::create_directories(std::filesystem::path(folder));
  return folder;
}

}  // namespace tavrel::e2e
