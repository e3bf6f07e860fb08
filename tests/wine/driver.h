#pragma once
// The driver of the end-to-end tests: starts programs, seeds and reads the
// registry with the system's reg.exe, finds another process's windows and
// clicks them with posted mouse messages, and takes screenshots.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tavrel::e2e {

struct RunResult {
  DWORD exitCode = 0;
  std::string output;
};

// Runs a command line to its end (at most timeoutMs) and answers its output.
[[nodiscard]] RunResult Run(const std::wstring& commandLine, DWORD timeoutMs = 60000);

// reg.exe, as a host program or an administrator would use it.
void RegAdd(const std::wstring& key, const std::wstring& name, const std::wstring& data);
void RegDeleteKey(const std::wstring& key);
// The data of a REG_SZ value, or nothing when the key or value is absent.
[[nodiscard]] std::optional<std::wstring> RegQuery(const std::wstring& key, const std::wstring& name);
[[nodiscard]] bool RegKeyExists(const std::wstring& key);

// A started program that is ended (if still running) when this goes.
class Started {
 public:
  Started(const std::wstring& exe, const std::wstring& arguments);
  ~Started();
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;
  [[nodiscard]] DWORD Id() const noexcept { return info_.dwProcessId; }
  // The exit code, or nothing when it still runs after timeoutMs.
  [[nodiscard]] std::optional<DWORD> WaitForExit(DWORD timeoutMs);

 private:
  PROCESS_INFORMATION info_{};
};

// A top-level window of the process with this class and title, waited for.
[[nodiscard]] HWND WaitForWindow(DWORD processId, const wchar_t* className, const wchar_t* title,
                                 DWORD timeoutMs = 20000);
// The n-th child window of this class (0-based, in z-order).
[[nodiscard]] HWND FindChild(HWND parent, const wchar_t* className, int n = 0);
[[nodiscard]] HWND FindChildByText(HWND parent, const wchar_t* className, const std::wstring& text);
[[nodiscard]] std::wstring TextOf(HWND window);

// A left click at a point of the window's client area, as posted mouse messages.
void ClickAt(HWND window, int x, int y);
void Click(HWND window);
// Waits until the window's thread has handled everything sent so far.
void Settle(HWND window);

// The window as it is on the screen, saved as PNG.
bool Screenshot(HWND window, const std::wstring& path);

// A folder laid out like an installation: tavrel.exe and the given watch list.
[[nodiscard]] std::wstring Install(const std::wstring& name, const std::vector<std::wstring>& watchList);
[[nodiscard]] std::wstring ScreenshotFolder();

}  // namespace tavrel::e2e
