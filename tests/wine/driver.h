#pragma once
// The driver of the end-to-end tests: starts programs, reads and writes the
// registry with the system's reg.exe, and finds and clicks another process's
// windows (their controls are found with FindWindowEx).
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace tavrel::e2e {

// A started program, ended (if still running) when this goes. Given an output
// handle, it runs without a console and writes there.
class Started {
 public:
  explicit Started(std::wstring commandLine, HANDLE output = nullptr) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = output ? STARTF_USESTDHANDLES : 0;
    startup.hStdOutput = startup.hStdError = output;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr, output ? CREATE_NO_WINDOW : 0,
                        nullptr, nullptr, &startup, &info_)) {
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
  // The exit code, or nothing when it still runs after timeoutMs.
  [[nodiscard]] std::optional<DWORD> WaitForExit(DWORD timeoutMs) {
    DWORD code = 0;
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_{};
};

// reg.exe with these arguments: its exit code and what it printed.
inline std::pair<DWORD, std::string> Reg(const std::wstring& arguments) {
  using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {1, {}};
  const Handle reader(readEnd, &CloseHandle);
  Handle writer(writeEnd, &CloseHandle);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  Started reg(L"reg.exe " + arguments, writeEnd);
  writer.reset();  // so that the read ends when reg.exe does
  std::string output;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0) output.append(buffer, got);
  return {reg.WaitForExit(60000).value_or(1), output};
}

inline std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }
inline void RegAdd(const std::wstring& key, const std::wstring& name, const std::wstring& data) {
  (void)Reg(L"add " + Quoted(key) + L" /v " + Quoted(name) + L" /t REG_SZ /d " + Quoted(data) + L" /f");
}
inline void RegDeleteKey(const std::wstring& key) { (void)Reg(L"delete " + Quoted(key) + L" /f"); }
inline bool RegKeyExists(const std::wstring& key) { return Reg(L"query " + Quoted(key)).first == 0; }

// The data of a REG_SZ value (names and data here are ASCII), or nothing when
// the key or value is absent.
inline std::optional<std::wstring> RegQuery(const std::wstring& key, const std::wstring& name) {
  const auto [code, output] = Reg(L"query " + Quoted(key) + L" /v " + Quoted(name));
  const std::string marker = "    " + std::string(name.begin(), name.end()) + "    REG_SZ    ";
  const std::size_t at = output.find(marker);
  if (code != 0 || at == std::string::npos) return std::nullopt;
  const std::size_t start = at + marker.size();
  const std::string data = output.substr(start, output.find_first_of("\r\n", start) - start);
  return std::wstring(data.begin(), data.end());
}

// A visible top-level window of the process with this class (and title, unless null).
inline HWND WaitForWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD timeoutMs = 20000) {
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
inline std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &copied);
  return text;
}

// A left click at a point of the client area (its centre when none is given).
inline void Click(HWND window, std::optional<POINT> at = std::nullopt) {
  RECT client{};
  GetClientRect(window, &client);
  const POINT p = at.value_or(POINT{client.right / 2, client.bottom / 2});
  const auto point = static_cast<LPARAM>(MAKELONG(p.x, p.y));
  PostMessageW(window, WM_MOUSEMOVE, 0, point);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(window, WM_LBUTTONUP, 0, point);
}

}  // namespace tavrel::e2e
