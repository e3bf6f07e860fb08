// Shows gradient buttons in their looks, and the review dialog's two buttons
// at their places, in real windows; captures each window's client area and
// writes it as a BMP into the current folder (the test converts to PNG).
//
//   gradient_button_gallery.exe   -> gallery-looks.bmp, gallery-dialog.bmp
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "gradient_button/review_buttons_form.h"
#include "gradient_button/win32/gradient_button_window.h"
#include "ui/win32/dpi.h"
#include "ui/win32/gdi.h"
#include "ui/win32/window.h"

namespace tavrel {
namespace {

constexpr Colour kDialogBlue = 0x00F7E0BB;
constexpr int kCellWidth = 2100;   // twips
constexpr int kCellHeight = 1100;  // twips, room for a label above each button
constexpr int kButtonWidth = 1455;
constexpr int kButtonHeight = 375;

// A 16 x 16 picture: a green tick on white.
PicturePtr TickPicture() {
  auto picture = std::make_shared<Picture>();
  picture->width = 16;
  picture->height = 16;
  picture->pixels.assign(256, 0x00FFFFFF);
  const int tick[][2] = {{3, 8},  {4, 9},  {5, 10}, {6, 11}, {7, 10}, {8, 9},
                         {9, 8},  {10, 7}, {11, 6}, {12, 5}, {13, 4}};
  for (const auto& point : tick) {
    for (int dy = 0; dy < 2; ++dy) {
      picture->pixels[static_cast<std::size_t>((point[1] + dy) * 16 + point[0])] = 0x00208020;
    }
  }
  return picture;
}

// The dialog's look for a button: what its form description restores.
ButtonSettings DialogLook(ControlPlacement placement, const wchar_t* caption) {
  ButtonSettings settings = ReviewDialogButton(kReviewOkButton);
  settings.placement = placement;
  settings.properties.Set(L"Caption", std::wstring(caption));
  return settings;
}

ButtonSettings PlainLook(ControlPlacement placement, const wchar_t* caption) {
  ButtonSettings settings;
  settings.placement = placement;
  settings.ambient_font = {L"Arial", 8.25};
  settings.properties.Set(L"Caption", std::wstring(caption));
  return settings;
}

struct Cell {
  const wchar_t* label;
  ButtonSettings settings;
  void (*adjust)(BrixButton&);  // puts the button in its look after creation
};

class GalleryWindow final : public Window<GalleryWindow> {
 public:
  static constexpr wchar_t kClassName[] = L"TavrelGradientButtonGallery";
  static void CustomizeClass(WNDCLASSEXW&) noexcept {}

  GalleryWindow(const wchar_t* title, int client_width_twips, int client_height_twips) {
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (!CreateHandle(WS_EX_CONTROLPARENT, kStyle, title, nullptr)) return;
    dpi_ = ReadWindowDpi(Handle());
    RECT rect{0, 0, TwipsToPixels(client_width_twips, dpi_), TwipsToPixels(client_height_twips, dpi_)};
    AdjustWindowRectEx(&rect, kStyle, FALSE, WS_EX_CONTROLPARENT);
    SetWindowPos(Handle(), nullptr, 20, 20, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER);
    label_font_.Reset(CreateFontW(FontHeight(825, dpi_), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
  }
  ~GalleryWindow() {
    buttons_.clear();
    DestroyHandle();
  }

  GradientButtonWindow* Add(const ButtonSettings& settings) {
    auto button = CreateGradientButton(Handle(), 100 + static_cast<int>(buttons_.size()), settings);
    if (!button) return nullptr;
    buttons_.push_back(std::move(button));
    return buttons_.back().get();
  }
  void AddLabel(int left_twips, int top_twips, std::wstring text) {
    labels_.push_back({TwipsToPixels(left_twips, dpi_), TwipsToPixels(top_twips, dpi_), std::move(text)});
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(Handle(), &paint);
      PaintLabels(dc);
      EndPaint(Handle(), &paint);
      return 0;
    }
    if (message == WM_PRINTCLIENT) {
      PaintLabels(reinterpret_cast<HDC>(wParam));
      return 0;
    }
    return DefaultProc(message, wParam, lParam);
  }

 private:
  struct Label {
    int x;
    int y;
    std::wstring text;
  };
  void PaintLabels(HDC dc) const {
    const ScopedSelectObject font(dc, label_font_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (const Label& label : labels_) {
      TextOutW(dc, label.x, label.y, label.text.c_str(), static_cast<int>(label.text.size()));
    }
  }

  int dpi_ = 96;
  UniqueGdiObject label_font_;
  std::vector<Label> labels_;
  std::vector<std::unique_ptr<GradientButtonWindow>> buttons_;
};

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

// The client area as it is on screen, written as a 24-bit bottom-up BMP.
bool CaptureClient(HWND window, const wchar_t* path) {
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right;
  const int height = client.bottom;
  if (width <= 0 || height <= 0) return false;
  const WindowDc screen(window);
  const UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const UniqueGdiObject bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !bitmap || bits == nullptr) return false;
  {
    const ScopedSelectObject selected(memory.Get(), bitmap.Get());
    if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY)) return false;
    GdiFlush();
  }
  const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
  const DWORD image_size = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  header.bfSize = header.bfOffBits + image_size;
  info.bmiHeader.biSizeImage = image_size;
  FILE* file = _wfopen(path, L"wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                       std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file) == 1 &&
                       std::fwrite(bits, image_size, 1, file) == 1;
  return std::fclose(file) == 0 && written;
}

ControlPlacement CellButton(int column, int row, int height = kButtonHeight) {
  return {120 + column * kCellWidth, 120 + row * kCellHeight + 300, kButtonWidth, height};
}

// Steps several looks share.
void Press(BrixButton& b) {
  b.SetButtonDown(true);
  b.UserControl_Resize();
  b.Refresh();
}
void Fade(BrixButton& b) {
  b.SetFadetoColor(0x00FFFFFF);
  b.SetBackColor(0x00C08040);
  b.SetStyle(1);
}
// Align 2 first, so that the picture area takes the image's size.
void PictureAt(BrixButton& b, std::int32_t align) {
  b.SetPicture(TickPicture());
  b.SetPictureAlign(2);
  b.SetPictureAlign(align);
  b.SetShowPicture(true);
}

int ShowLooks() {
  const std::vector<Cell> cells{
      {L"frame 1: resting", DialogLook(CellButton(0, 0), L"OK"), nullptr},
      {L"frame 1: focus", DialogLook(CellButton(1, 0), L"OK"),
       [](BrixButton& b) { b.UserControl_GotFocus(); }},
      {L"frame 1: pressed", DialogLook(CellButton(2, 0), L"OK"), Press},
      {L"frame 1: disabled", DialogLook(CellButton(3, 0), L"Cancel"),
       [](BrixButton& b) { b.SetEnabled(false); }},
      {L"frame 0: resting", PlainLook(CellButton(0, 1), L"Plain"), nullptr},
      {L"frame 0: focus", PlainLook(CellButton(1, 1), L"Plain"),
       [](BrixButton& b) { b.UserControl_GotFocus(); }},
      {L"frame 2: sunken", PlainLook(CellButton(2, 1), L"Sunken"),
       [](BrixButton& b) { b.SetBorderStyle(2); }},
      {L"frame 0: pressed", PlainLook(CellButton(3, 1), L"Plain"), Press},
      {L"gradient: resting", DialogLook(CellButton(0, 2), L"Fade"), Fade},
      {L"gradient: pressed", DialogLook(CellButton(1, 2), L"Fade"),
       [](BrixButton& b) {
         Fade(b);
         Press(b);
       }},
      {L"gradient: focus", DialogLook(CellButton(2, 2), L"Fade"),
       [](BrixButton& b) {
         Fade(b);
         b.UserControl_GotFocus();
       }},
      {L"gradient to 0x8000000F", PlainLook(CellButton(3, 2), L"System"),
       [](BrixButton& b) {
         b.SetBorderStyle(1);
         b.SetTextAlign(2);
         b.SetStyle(1);
       }},
      {L"picture left", DialogLook(CellButton(0, 3), L"Accept"),
       [](BrixButton& b) {
         b.SetTextAlign(0);
         PictureAt(b, 0);
       }},
      {L"picture above", DialogLook(CellButton(1, 3, 735), L"Accept"),
       [](BrixButton& b) { PictureAt(b, 1); }},
      {L"picture centred", DialogLook(CellButton(2, 3), L""),
       [](BrixButton& b) { PictureAt(b, 2); }},
      {L"text right, pressed", DialogLook(CellButton(3, 3), L"Right"),
       [](BrixButton& b) {
         b.SetTextAlign(1);
         PictureAt(b, 0);
         Press(b);
       }},
  };
  GalleryWindow gallery(L"Gradient buttons", 120 + 4 * kCellWidth, 120 + 4 * kCellHeight + 300);
  if (gallery.Handle() == nullptr) return 2;
  for (const Cell& cell : cells) {
    gallery.AddLabel(cell.settings.placement.left, cell.settings.placement.top - 260, cell.label);
    GradientButtonWindow* button = gallery.Add(cell.settings);
    if (button == nullptr) return 3;
    if (cell.adjust != nullptr) cell.adjust(button->Button());
  }
  ShowWindow(gallery.Handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(gallery.Handle());
  PumpFor(700);
  return CaptureClient(gallery.Handle(), L"gallery-looks.bmp") ? 0 : 4;
}

int ShowDialogButtons() {
  // The review dialog's client area with its two buttons where the form
  // description puts them; OK holds the focus as it does when the dialog opens.
  GalleryWindow dialog(L"Brix Tavrel:  Registry Question", 6645, 4260);
  if (dialog.Handle() == nullptr) return 2;
  GradientButtonWindow* ok = dialog.Add(ReviewDialogButton(kReviewOkButton));
  GradientButtonWindow* cancel = dialog.Add(ReviewDialogButton(kReviewCancelButton));
  if (ok == nullptr || cancel == nullptr) return 3;
  ShowWindow(dialog.Handle(), SW_SHOW);
  SetForegroundWindow(dialog.Handle());
  SetFocus(ok->Handle());
  UpdateWindow(dialog.Handle());
  PumpFor(700);
  return CaptureClient(dialog.Handle(), L"gallery-dialog.bmp") ? 0 : 4;
}

}  // namespace
}  // namespace tavrel

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const int looks = tavrel::ShowLooks();
  if (looks != 0) return looks;
  return tavrel::ShowDialogButtons();
}
