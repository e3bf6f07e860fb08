// The least a Win32 GUI program does: one hidden top-level window, created,
// pumped and destroyed. The start-up benchmark times it beside tavrel.exe to
// tell Wine's cost of starting any GUI process from Tavrel's own.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"TavrelEmptyProgram";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"TavrelEmptyProgram", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              instance, nullptr);
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  DestroyWindow(window);
  return 0;
}
