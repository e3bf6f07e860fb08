// package_layout_probe TITLE CLIENT_WIDTH_TWIPS CLIENT_HEIGHT_TWIPS [TIMEOUT_SECONDS]
//
// Waits for the visible top-level window with exactly that title, then checks
// its layout at the screen's DPI: the client area has the size the twips give,
// no control is cut by the window's edge, no label's or check box's text is
// cut by its own edge or runs under a neighbour, and no two controls overlap
// where they draw (a text control where its text is, any other control its
// whole rectangle; a control lying wholly inside another is layering). A
// control wholly outside the client area is hidden by design and only noted.
//
// Text is judged from the pixels on the screen, not by measuring it again:
// a control's font belongs to the process that made it and cannot be
// selected here. Ink in the last visible column of a text control, or a bottom
// row filled as a line cut in half fills it (a descender may touch it), means
// its text goes on past what can be seen.
// Prints what it saw and "window-rect X Y W H" (screen pixels) for cropping a
// screenshot. Exit code: 0 all well, 1 problems found, 2 no such window.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
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

struct Probe {
  HWND window = nullptr;
  std::vector<Control> controls;
  std::vector<HWND> handles;
  std::vector<std::string> problems;
};

// The client area's pixels as 0x00RRGGBB, read back from the screen.
class ClientPixels {
 public:
  explicit ClientPixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
    ScreenDc screen;
    HDC memory = CreateCompatibleDC(screen.get());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
      HGDIOBJ old = SelectObject(memory, bitmap);
      BitBlt(memory, 0, 0, width_, height_, screen.get(), origin.x, origin.y, SRCCOPY);
      GdiFlush();
      const auto* source = static_cast<const std::uint32_t*>(bits);
      pixels_.assign(source, source + pixels_.size());
      SelectObject(memory, old);
      DeleteObject(bitmap);
    }
    DeleteDC(memory);
  }
  ClientPixels(const ClientPixels&) = delete;
  ClientPixels& operator=(const ClientPixels&) = delete;

  [[nodiscard]] std::uint32_t At(LONG x, LONG y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
  }

 private:
  LONG width_ = 0;
  LONG height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

bool Differs(std::uint32_t a, std::uint32_t b) {
  auto channel = [](std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
  const int distance = std::abs(channel(a, 16) - channel(b, 16)) + std::abs(channel(a, 8) - channel(b, 8)) +
                       std::abs(channel(a, 0) - channel(b, 0));
  return distance > 90;
}

bool IsTextControl(HWND child, const Control& control) {
  if (control.text.empty()) return false;
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  if (_wcsicmp(control.kind.c_str(), L"Static") == 0) {
    const LONG type = style & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP ||
           type == SS_SIMPLE;
  }
  if (_wcsicmp(control.kind.c_str(), L"Button") == 0) {
    const LONG type = style & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
           type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
  }
  return false;  // push buttons, lists, combo boxes: judged by their rectangle
}

// Where a label or check box draws its text, from the pixels of the part of it
// no neighbour covers; reports text that reaches the last visible pixel.
RECT JudgeText(const ClientPixels& pixels, const std::vector<Control>& all, std::size_t index,
               std::vector<std::string>& problems) {
  const Control& control = all[index];
  const RECT& box = control.box;
  auto covered = [&](LONG x, LONG y) {
    for (std::size_t other = 0; other < all.size(); ++other) {
      const RECT& b = all[other].box;
      const bool inside = x >= b.left && x < b.right && y >= b.top && y < b.bottom;
      if (other != index && inside && !Contains(b, box)) return true;
    }
    return false;
  };
  // The background is the colour most of the visible pixels have.
  std::vector<std::pair<std::uint32_t, int>> counts;
  for (LONG y = box.top; y < box.bottom; ++y) {
    for (LONG x = box.left; x < box.right; ++x) {
      if (covered(x, y)) continue;
      const std::uint32_t colour = pixels.At(x, y);
      auto found = std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == colour; });
      if (found == counts.end()) {
        counts.emplace_back(colour, 1);
      } else {
        ++found->second;
      }
    }
  }
  if (counts.empty()) return {box.left, box.top, box.left, box.top};
  const std::uint32_t background =
      std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; })
          ->first;

  RECT ink{box.right, box.bottom, box.left, box.top};
  bool cut = false;
  std::vector<bool> inkColumns(static_cast<std::size_t>(box.right - box.left), false);
  LONG lastRowInk = 0;
  for (LONG y = box.top; y < box.bottom; ++y) {
    LONG lastVisible = box.left - 1;
    for (LONG x = box.left; x < box.right; ++x) {
      if (covered(x, y)) continue;
      lastVisible = x;
      if (!Differs(pixels.At(x, y), background)) continue;
      ink.left = std::min(ink.left, x);
      ink.top = std::min(ink.top, y);
      ink.right = std::max(ink.right, x + 1);
      ink.bottom = std::max(ink.bottom, y + 1);
      inkColumns[static_cast<std::size_t>(x - box.left)] = true;
      if (y == box.bottom - 1) ++lastRowInk;
    }
    // Text that goes on past the right edge leaves ink in the last column.
    if (lastVisible >= box.left && Differs(pixels.At(lastVisible, y), background)) cut = true;
  }
  // A descender may just touch the bottom row; a line cut in half fills much of it.
  const auto columns = std::count(inkColumns.begin(), inkColumns.end(), true);
  if (columns > 0 && lastRowInk * 4 > columns) cut = true;
  if (cut) {
    problems.push_back(Narrow(control.kind) + " \"" + Narrow(control.text) +
                       "\": text reaches its last visible pixel (cut by its edge or hidden under a neighbour)");
  }
  if (ink.left >= ink.right) return {box.left, box.top, box.left, box.top};  // no text drawn
  return ink;
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
  control.ink = control.box;
  probe.controls.push_back(control);
  probe.handles.push_back(child);
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
  const ClientPixels pixels(probe.window);
  for (std::size_t i = 0; i < probe.controls.size(); ++i) {
    if (IsTextControl(probe.handles[i], probe.controls[i]) && Overlap(probe.controls[i].box, client)) {
      probe.controls[i].ink = JudgeText(pixels, probe.controls, i, probe.problems);
    }
  }
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
