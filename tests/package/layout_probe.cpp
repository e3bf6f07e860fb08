// package_layout_probe TITLE CLIENT_WIDTH_TWIPS CLIENT_HEIGHT_TWIPS [TIMEOUT_SECONDS]
//
// Waits for the visible top-level window with exactly that title, then checks
// its layout at the screen's DPI: the client area has the size the twips give,
// no control is cut by the window's edge, every label's and button's text fits
// its control, and no two controls overlap where they draw (a label's text, a
// check box's box and text, any other control's whole rectangle; a control
// lying wholly inside another is layering, not overlap). A control wholly
// outside the client area is hidden by design and only reported.
// Prints what it saw and "window-rect X Y W H" (screen pixels) for cropping a
// screenshot. Exit code: 0 all well, 1 problems found, 2 no such window.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Control {
  std::wstring kind;
  std::wstring text;
  RECT box{};  // client coordinates
  RECT ink{};  // where it draws
};

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  [[nodiscard]] HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class SelectedFont {
 public:
  SelectedFont(HDC dc, HFONT font) : dc_(dc), old_(SelectObject(dc, font)) {}
  ~SelectedFont() { SelectObject(dc_, old_); }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

std::wstring Widen(const char* text) {
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), static_cast<int>(wide.size()));
  wide.resize(wide.size() - 1);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow(static_cast<std::size_t>(
                         WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)),
                     '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), static_cast<int>(narrow.size()), nullptr,
                      nullptr);
  narrow.resize(narrow.size() - 1);
  return narrow;
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both{};
  return IntersectRect(&both, &a, &b) != FALSE;
}

SIZE TextSize(HDC dc, const std::wstring& text, UINT format, int width) {
  RECT need{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need, format | DT_CALCRECT);
  return {need.right - need.left, need.bottom - need.top};
}

struct Probe {
  HWND window = nullptr;
  std::vector<Control> controls;
  std::vector<std::string> problems;
};

// Fills in where a control draws and checks that its text fits.
void Measure(HWND child, Control& control, std::vector<std::string>& problems) {
  control.ink = control.box;
  if (control.text.empty()) return;
  ScreenDc screen;
  auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  SelectedFont selected(screen.get(), font);
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  const int width = static_cast<int>(control.box.right - control.box.left);
  const int height = static_cast<int>(control.box.bottom - control.box.top);
  const std::string name = Narrow(control.kind) + " \"" + Narrow(control.text) + "\"";
  auto report = [&](const char* what, SIZE need) {
    problems.push_back(name + ": " + what + " (needs " + std::to_string(need.cx) + " x " +
                       std::to_string(need.cy) + ", has " + std::to_string(width) + " x " +
                       std::to_string(height) + ")");
  };

  if (_wcsicmp(control.kind.c_str(), L"Static") == 0) {
    const LONG type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
        type != SS_SIMPLE) {
      return;  // pictures and frames draw their whole rectangle
    }
    const bool wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
    const UINT prefix = (style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
    const SIZE need = TextSize(screen.get(), control.text,
                               (wraps ? DT_WORDBREAK : DT_SINGLELINE) | DT_EXPANDTABS | prefix, width);
    if (need.cx > width || need.cy > height) report("text clipped", need);
    LONG left = control.box.left;
    if (type == SS_CENTER) left += (width - need.cx) / 2;
    if (type == SS_RIGHT) left = control.box.right - need.cx;
    control.ink = {left, control.box.top, left + need.cx, control.box.top + need.cy};
    return;
  }
  if (_wcsicmp(control.kind.c_str(), L"Button") == 0) {
    const LONG type = style & BS_TYPEMASK;
    const SIZE need = TextSize(screen.get(), control.text, DT_SINGLELINE, width);
    const bool box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                     type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    if (box) {
      const LONG mark = GetSystemMetrics(SM_CXMENUCHECK) + 4;
      if (need.cx + mark > width || need.cy > height) report("text clipped", {need.cx + mark, need.cy});
      control.ink = {control.box.left, control.box.top, control.box.left + mark + need.cx, control.box.bottom};
      return;
    }
    if (type == BS_GROUPBOX) return;
    // Push and owner-drawn buttons: the text inside a frame of a few pixels.
    const LONG frame = 2 * (GetSystemMetrics(SM_CXEDGE) + 2);
    if (need.cx + frame > width || need.cy + 4 > height) report("text clipped", {need.cx + frame, need.cy + 4});
    return;
  }
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  auto& probe = *reinterpret_cast<Probe*>(param);
  if (GetParent(child) != probe.window || !IsWindowVisible(child)) return TRUE;
  Control control;
  wchar_t buffer[512];
  GetClassNameW(child, buffer, 512);
  control.kind = buffer;
  const int length = GetWindowTextLengthW(child);
  control.text.resize(static_cast<std::size_t>(length) + 1);
  GetWindowTextW(child, control.text.data(), length + 1);
  control.text.resize(static_cast<std::size_t>(length));
  GetWindowRect(child, &control.box);
  MapWindowPoints(nullptr, probe.window, reinterpret_cast<POINT*>(&control.box), 2);
  Measure(child, control, probe.problems);
  probe.controls.push_back(control);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: package_layout_probe TITLE CLIENT_WIDTH_TWIPS CLIENT_HEIGHT_TWIPS [TIMEOUT_SECONDS]\n");
    return 2;
  }
  SetProcessDPIAware();  // measure real pixels, never a scaled-down view
  const std::wstring title = Widen(argv[1]);
  const int widthTwips = std::atoi(argv[2]);
  const int heightTwips = std::atoi(argv[3]);
  const int timeout = argc > 4 ? std::atoi(argv[4]) : 30;

  Probe probe;
  for (int waited = 0; waited < timeout * 10; ++waited) {
    probe.window = FindWindowW(nullptr, title.c_str());
    if (probe.window != nullptr && IsWindowVisible(probe.window)) break;
    probe.window = nullptr;
    Sleep(100);
  }
  if (probe.window == nullptr) {
    std::printf("no visible window titled \"%s\"\n", argv[1]);
    return 2;
  }
  Sleep(1500);  // let it finish laying out and painting

  int dpi = 96;
  {
    ScreenDc screen;
    dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
  }
  RECT frame{};
  GetWindowRect(probe.window, &frame);
  RECT client{};
  GetClientRect(probe.window, &client);
  std::printf("dpi %d\n", dpi);
  std::printf("window-rect %ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
              frame.bottom - frame.top);
  std::printf("client %ld x %ld\n", client.right, client.bottom);
  const int wantWidth = MulDiv(widthTwips, dpi, 1440);
  const int wantHeight = MulDiv(heightTwips, dpi, 1440);
  if (std::abs(client.right - wantWidth) > 2 || std::abs(client.bottom - wantHeight) > 2) {
    probe.problems.push_back("client area " + std::to_string(client.right) + " x " + std::to_string(client.bottom) +
                             ", expected " + std::to_string(wantWidth) + " x " + std::to_string(wantHeight));
  }

  EnumChildWindows(probe.window, CollectChild, reinterpret_cast<LPARAM>(&probe));
  std::vector<const Control*> shown;
  for (const Control& control : probe.controls) {
    const RECT& b = control.box;
    std::printf("control %s \"%s\" at %ld,%ld size %ld x %ld\n", Narrow(control.kind).c_str(),
                Narrow(control.text).c_str(), b.left, b.top, b.right - b.left, b.bottom - b.top);
    if (!Overlap(b, client)) {
      std::printf("  outside the client area (hidden until the window grows)\n");
      continue;
    }
    if (!Contains(client, b)) probe.problems.push_back(Narrow(control.kind) + " \"" + Narrow(control.text) +
                                                       "\" is cut by the window's edge");
    shown.push_back(&control);
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      const RECT& a = shown[i]->ink;
      const RECT& b = shown[j]->ink;
      if (Overlap(a, b) && !Contains(a, b) && !Contains(b, a)) {
        probe.problems.push_back(Narrow(shown[i]->kind) + " \"" + Narrow(shown[i]->text) + "\" overlaps " +
                                 Narrow(shown[j]->kind) + " \"" + Narrow(shown[j]->text) + "\"");
      }
    }
  }
  for (const std::string& problem : probe.problems) std::printf("PROBLEM: %s\n", problem.c_str());
  std::printf("%zu control(s), %zu problem(s)\n", probe.controls.size(), probe.problems.size());
  std::fflush(stdout);
  return probe.problems.empty() ? 0 : 1;
}
