// package_layout_probe TITLE CLIENT_WIDTH_TWIPS CLIENT_HEIGHT_TWIPS TIMEOUT_SECONDS
// Judges the visible window with that title at the screen's DPI: the client
// area is the twips scaled; no control is cut by the edge; no two overlap where
// they draw (one inside another is layering); no label's text is cut, seen in
// the screen's pixels. Exit code: 0 all well, 1 problems, 2 no such window.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Control {
  std::string name;   // class and text, for the report
  RECT box{};         // client coordinates
  RECT ink{};         // where it draws
  bool text = false;  // a label or check box, judged by its ink
};

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}
bool Overlap(const RECT& a, const RECT& b) {
  RECT both{};
  return IntersectRect(&both, &a, &b) != FALSE;
}
bool Differs(std::uint32_t a, std::uint32_t b) {
  int distance = 0;
  for (int shift : {0, 8, 16}) distance += std::abs(static_cast<int>((a >> shift & 0xFF) - (b >> shift & 0xFF)));
  return distance > 90;
}

using ScreenDc = std::unique_ptr<HDC__, decltype([](HDC dc) { ReleaseDC(nullptr, dc); })>;

// The client area's pixels as 0x00RRGGBB, row by row, read back from the screen.
std::vector<std::uint32_t> ClientPixels(HWND window, LONG width, LONG height) {
  const ScreenDc screen(GetDC(nullptr));
  const std::unique_ptr<HDC__, decltype(&DeleteDC)> memory(CreateCompatibleDC(screen.get()), &DeleteDC);
  const std::unique_ptr<HBITMAP__, decltype(&DeleteObject)> bitmap(CreateCompatibleBitmap(screen.get(), width, height),
                                                                   &DeleteObject);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, screen.get(), origin.x, origin.y, SRCCOPY);
  SelectObject(memory.get(), old);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

// Where a text control draws, from the pixels of the part of it no neighbour
// covers; a problem when its text reaches the last visible pixel.
RECT JudgeText(const std::vector<std::uint32_t>& pixels, LONG width, const std::vector<Control>& all,
               const Control& control, std::vector<std::string>& problems) {
  const RECT& box = control.box;
  const auto at = [&](LONG x, LONG y) { return pixels[static_cast<std::size_t>(y * width + x)]; };
  const auto covered = [&](LONG x, LONG y) {
    return std::any_of(all.begin(), all.end(), [&](const Control& other) {
      const POINT p{x, y};
      return &other != &control && PtInRect(&other.box, p) && !Contains(other.box, box);
    });
  };
  std::map<std::uint32_t, int> counts;  // the background: the colour most visible pixels have
  for (LONG y = box.top; y < box.bottom; ++y) {
    for (LONG x = box.left; x < box.right; ++x) counts[at(x, y)] += covered(x, y) ? 0 : 1;
  }
  const std::uint32_t background =
      std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
  RECT ink{box.right, box.bottom, box.left, box.top};
  bool cut = false;
  std::vector<bool> inkColumns(static_cast<std::size_t>(box.right - box.left));
  LONG lastRowInk = 0;
  for (LONG y = box.top; y < box.bottom; ++y) {
    LONG lastVisible = box.left - 1;
    for (LONG x = box.left; x < box.right; ++x) {
      if (covered(x, y)) continue;
      lastVisible = x;
      if (!Differs(at(x, y), background)) continue;
      ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1), std::max(ink.bottom, y + 1)};
      inkColumns[static_cast<std::size_t>(x - box.left)] = true;
      lastRowInk += y == box.bottom - 1 ? 1 : 0;
    }
    cut = cut || (lastVisible >= box.left && Differs(at(lastVisible, y), background));
  }
  // A descender may just touch the bottom row; a line cut in half fills much of it.
  const auto columns = std::count(inkColumns.begin(), inkColumns.end(), true);
  if (cut || (columns > 0 && lastRowInk * 4 > columns)) {
    problems.push_back(control.name + ": text reaches its last visible pixel (cut by its edge or a neighbour)");
  }
  return ink.left < ink.right ? ink : RECT{box.left, box.top, box.left, box.top};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) return 2;
  SetProcessDPIAware();  // real pixels, never a scaled-down view
  HWND window = nullptr;
  for (int waited = 0; waited < std::atoi(argv[4]) * 10 && !IsWindowVisible(window); ++waited, Sleep(100)) {
    window = FindWindowA(nullptr, argv[1]);
  }
  if (!IsWindowVisible(window)) return 2;
  Sleep(1500);  // let it finish laying out and painting
  const int dpi = GetDeviceCaps(ScreenDc(GetDC(nullptr)).get(), LOGPIXELSY);
  RECT frame{}, client{};
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  std::printf("dpi %d\nwindow-rect %ld %ld %ld %ld\n", dpi, frame.left, frame.top, frame.right - frame.left,
              frame.bottom - frame.top);
  std::vector<std::string> problems;
  const int wantWidth = MulDiv(std::atoi(argv[2]), dpi, 1440);
  const int wantHeight = MulDiv(std::atoi(argv[3]), dpi, 1440);
  if (std::abs(client.right - wantWidth) > 2 || std::abs(client.bottom - wantHeight) > 2) {
    problems.push_back("client area " + std::to_string(client.right) + " x " + std::to_string(client.bottom) +
                       ", expected " + std::to_string(wantWidth) + " x " + std::to_string(wantHeight));
  }

  std::vector<Control> controls;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    char kind[64] = {}, text[512] = {};
    GetClassNameA(child, kind, sizeof kind);
    GetWindowTextA(child, text, sizeof text);
    Control& control = controls.emplace_back();
    control.name = std::string(kind) + " \"" + text + "\"";
    GetWindowRect(child, &control.box);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&control.box), 2);
    control.ink = control.box;
    // Labels (left, centred, right, simple, no word wrap) and check or radio boxes.
    const auto type = static_cast<unsigned>(GetWindowLongA(child, GWL_STYLE)) & 0xF;
    control.text = *text && ((lstrcmpiA(kind, "Static") == 0 && (0x1807u >> type & 1)) ||
                             (lstrcmpiA(kind, "Button") == 0 && (0x27Cu >> type & 1)));
  }
  const auto pixels = ClientPixels(window, client.right, client.bottom);
  std::vector<const Control*> shown;
  for (Control& control : controls) {
    if (!Overlap(control.box, client)) continue;  // hidden until the window grows
    if (!Contains(client, control.box)) problems.push_back(control.name + " is cut by the window's edge");
    if (control.text) control.ink = JudgeText(pixels, client.right, controls, control, problems);
    shown.push_back(&control);
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      const RECT& a = shown[i]->ink;
      const RECT& b = shown[j]->ink;
      if (Overlap(a, b) && !Contains(a, b) && !Contains(b, a)) {
        problems.push_back(shown[i]->name + " overlaps " + shown[j]->name);
      }
    }
  }
  for (const std::string& problem : problems) std::printf("PROBLEM: %s\n", problem.c_str());
  return problems.empty() ? 0 : 1;
}
