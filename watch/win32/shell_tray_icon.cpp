#include "watch/win32/shell_tray_icon.h"

#include <algorithm>

namespace tavrel {
namespace {

constexpr UINT kCallbackMessage = WM_APP + 2;
constexpr UINT kIconId = 1;
constexpr WORD kProgramIconId = 1;
enum MenuItem : UINT_PTR { kScanNow = 1, kPauseResume, kOpenReport, kExit };

template <std::size_t N>
void CopyText(wchar_t (&target)[N], const std::wstring& text) noexcept {
  const std::size_t count = std::min(text.size(), N - 1);
  std::copy_n(text.begin(), count, target);
  target[count] = L'\0';
}

}  // namespace

ShellTrayIcon::ShellTrayIcon() : taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
  (void)CreateHandle(WS_EX_TOOLWINDOW, WS_POPUP, L"Tavrel", nullptr);
}

ShellTrayIcon::~ShellTrayIcon() {
  Remove();
  DestroyHandle();
}

NOTIFYICONDATAW ShellTrayIcon::Data(UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = Handle();
  data.uID = kIconId;
  data.uFlags = flags;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId));
  if (!data.hIcon) data.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
  CopyText(data.szTip, tooltip_);
  return data;
}

void ShellTrayIcon::Show() {
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  Shell_NotifyIconW(NIM_ADD, &data);
  shown_ = true;  // added again when the shell comes back, if there was none to take it now
}

void ShellTrayIcon::Remove() {
  if (!shown_) return;
  NOTIFYICONDATAW data = Data(0);
  Shell_NotifyIconW(NIM_DELETE, &data);
  shown_ = false;
}

void ShellTrayIcon::SetTooltip(const std::wstring& text) {
  tooltip_ = text;
  if (!shown_) return;
  NOTIFYICONDATAW data = Data(NIF_TIP);
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

void ShellTrayIcon::ShowBalloon(BalloonKind kind, const std::wstring& title, const std::wstring& text) {
  if (!shown_) return;
  NOTIFYICONDATAW data = Data(NIF_INFO);
  CopyText(data.szInfoTitle, title);
  CopyText(data.szInfo, text);
  data.dwInfoFlags = kind == BalloonKind::Error ? NIIF_ERROR : kind == BalloonKind::Warning ? NIIF_WARNING : NIIF_INFO;
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

void ShellTrayIcon::ShowMenu() {
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  AppendMenuW(menu, MF_STRING, kScanNow, L"&Scan now");
  AppendMenuW(menu, MF_STRING, kPauseResume, paused_ ? L"&Resume watching" : L"&Pause watching");
  AppendMenuW(menu, MF_STRING, kOpenReport, L"&Open report");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kExit, L"E&xit");
  POINT at{};
  GetCursorPos(&at);
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(Handle());
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
  PostMessageW(Handle(), WM_NULL, 0, 0);
  DestroyMenu(menu);
}

void ShellTrayIcon::Run(UINT_PTR item) {
  switch (item) {
    case kOpenReport:
      // Nothing happens when there is no report yet.
      if (!reportPath.empty()) ShellExecuteW(nullptr, L"open", reportPath.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      return;
    case kScanNow:
      if (OnCommand) OnCommand(TrayCommand::ScanNow);
      return;
    case kPauseResume:
      if (OnCommand) OnCommand(TrayCommand::PauseResume);
      return;
    case kExit:
      if (OnCommand) OnCommand(TrayCommand::Exit);
      // Every form is gone now; a toolkit that never made a window of its own
      // would not end its loop for them, so the loop is told here too.
      PostQuitMessage(0);
      return;
    default:
      return;
  }
}

LRESULT ShellTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    if (shown_) Show();
    return 0;
  }
  switch (message) {
    case kCallbackMessage:
      if (lParam == WM_RBUTTONUP || lParam == WM_LBUTTONUP || lParam == WM_CONTEXTMENU) ShowMenu();
      return 0;
    case WM_COMMAND:
      Run(LOWORD(wParam));
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace tavrel
