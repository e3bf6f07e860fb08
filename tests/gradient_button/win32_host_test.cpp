// The Win32 host under a real window system (Wine in the cross build):
// messages in, button events out; the GDI surface's pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gradient_button/review_buttons_form.h"
#include "gradient_button/win32/gradient_button_window.h"
#include "ui/win32/dpi.h"
#include "ui/win32/gdi.h"
#include "ui/win32/gdi_surface.h"
#include "ui/win32/win32_util.h"

namespace tavrel {
namespace {

LPARAM At(int x, int y) { return win32::MakePoint(x, y); }

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(parent.Get(), nullptr);
    ok = CreateGradientButton(parent.Get(), 100, ReviewDialogButton(kReviewOkButton));
    ASSERT_NE(ok, nullptr);
    ok->Control().OnMouseDown = [this] { events.push_back("MouseDown"); };
    ok->Control().OnClick = [this] { events.push_back("Click"); };
  }
  [[nodiscard]] HWND Button() const { return ok->Handle(); }
  void Send(UINT message, WPARAM wParam, LPARAM lParam) { SendMessageW(Button(), message, wParam, lParam); }

  UniqueHwnd parent{CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                                    0, 600, 400, nullptr, nullptr, GetModuleHandleW(nullptr),
                                    nullptr)};
  std::unique_ptr<GradientButtonWindow> ok;
  std::vector<std::string> events;
};

TEST_F(HostTest, TakesItsPlacementAtTheDisplaysDpiAndShowsItsCaptionAsWindowText) {
  const int dpi = ReadWindowDpi(Button());
  RECT client{};
  GetClientRect(Button(), &client);
  EXPECT_EQ(client.right, MulDiv(1455, dpi, 1440));
  EXPECT_EQ(client.bottom, MulDiv(375, dpi, 1440));
  EXPECT_EQ(GetDlgCtrlID(Button()), 100);
  EXPECT_EQ(win32::WindowText(Button()), L"OK");

  ok->Control().SetCaption(L"OK [29]");
  EXPECT_EQ(win32::WindowText(Button()), L"OK [29]");
  SetWindowTextW(Button(), L"Set from outside");
  EXPECT_EQ(ok->Control().Caption(), L"Set from outside");

  ok->Button().SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Button()));
}

TEST_F(HostTest, MouseClicksAndBmClickPressAndOnlyAReleaseInsideWithTheLeftButtonClicks) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  EXPECT_TRUE(ok->Button().ButtonDown());
  EXPECT_EQ(GetCapture(), Button());
  EXPECT_EQ(GetFocus(), Button());
  EXPECT_TRUE(ok->Button().HasFocus());
  Send(WM_LBUTTONUP, 0, At(10, 10));
  EXPECT_FALSE(ok->Button().ButtonDown());
  EXPECT_EQ(GetCapture(), nullptr);
  Send(BM_CLICK, 0, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"MouseDown", "Click", "MouseDown", "Click"}));

  events.clear();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  Send(WM_LBUTTONUP, 0, At(-50, 300));
  Send(WM_RBUTTONDOWN, MK_RBUTTON, At(10, 10));
  EXPECT_TRUE(ok->Button().ButtonDown());
  Send(WM_RBUTTONUP, 0, At(10, 10));
  EXPECT_FALSE(ok->Button().ButtonDown());
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  SetCapture(parent.Get());  // capture taken away mid-press
  EXPECT_FALSE(ok->Button().ButtonDown());
  ReleaseCapture();
  EXPECT_EQ(events, (std::vector<std::string>{"MouseDown", "MouseDown", "MouseDown"}));
  SetFocus(parent.Get());
  EXPECT_FALSE(ok->Button().HasFocus());
}

TEST_F(HostTest, EnterAndSpaceClickWithoutAMousePressAndTheDialogManagerLeavesEnterToIt) {
  SetFocus(Button());
  for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_SPACE}}) {
    Send(WM_KEYDOWN, key, 0);
    EXPECT_TRUE(ok->Button().ButtonDown());
    Send(WM_KEYUP, key, 0);
    EXPECT_FALSE(ok->Button().ButtonDown());
  }
  EXPECT_EQ(events, (std::vector<std::string>{"Click", "Click"}));

  for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_TAB}}) {
    MSG down{};
    down.message = WM_KEYDOWN;
    down.wParam = key;
    EXPECT_EQ((SendMessageW(Button(), WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&down)) &
               DLGC_WANTMESSAGE) != 0,
              key == VK_RETURN);
  }
  // Never a default push button: Enter elsewhere does not reach it.
  EXPECT_FALSE(SendMessageW(Button(), WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
}

TEST_F(HostTest, PressesOnThePictureAreaReachTheButtonInItsCoordinates) {
  auto picture = std::make_shared<Picture>();
  picture->width = picture->height = 16;
  picture->pixels.assign(256, 0x00FF0000);
  ok->Button().SetPicture(picture);
  ok->Button().SetShowPicture(true);
  std::vector<float> xs;
  ok->Button().events.MouseDown = [&](std::int16_t&, std::int16_t&, float& x, float&) { xs.push_back(x); };
  ok->Button().events.Click = [&] { events.push_back("Click"); };
  HWND area = GetWindow(Button(), GW_CHILD);
  ASSERT_NE(area, nullptr);
  ASSERT_NE(area, Button());
  const float left = ok->Button().Picture1().Left();
  const int dpi = ReadWindowDpi(Button());
  SendMessageW(area, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
  SendMessageW(area, WM_LBUTTONUP, 0, At(2, 2));
  ASSERT_EQ(xs.size(), 1u);
  EXPECT_FLOAT_EQ(xs[0], left + PixelsToTwips(2, dpi));
  EXPECT_EQ(events, (std::vector<std::string>{"Click"}));
}

TEST_F(HostTest, AClickHandlerMayDestroyTheButton) {
  ok->Control().OnClick = [this] { ok.reset(); };
  HWND window = Button();
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageW(window, WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(ok, nullptr);
  EXPECT_FALSE(IsWindow(window));
}

TEST(GdiSurface, DrawsInTwipsAtItsDpiAndResolvesSystemColours) {
  GdiSurface surface(96);
  surface.Resize(20, 10);
  EXPECT_FLOAT_EQ(surface.Width(), 300);
  EXPECT_FLOAT_EQ(surface.Height(), 150);
  surface.SetBackColor(0x8000000F);
  surface.Clear();
  surface.FilledBox(15, 15, 45, 30, 0x000000FF);  // pixels 1..3 x 1..2, red
  const WindowDc screen(nullptr);
  const MemoryDc copy_dc(screen.Get());
  const UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.Get(), 20, 10));
  const ScopedSelectObject selected(copy_dc.Get(), bitmap.Get());
  HDC copy = copy_dc.Get();
  surface.Present(copy);
  EXPECT_EQ(GetPixel(copy, 0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(copy, 1, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(copy, 3, 2), RGB(255, 0, 0));  // both far edges included
  EXPECT_EQ(GetPixel(copy, 4, 2), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(copy, 3, 3), GetSysColor(COLOR_BTNFACE));

  GdiSurface doubled(192);
  doubled.Resize(20, 10);
  EXPECT_FLOAT_EQ(doubled.Width(), 150);
  EXPECT_EQ(TwipsToPixels(67.5f, 96), 5);  // halves away from zero
  EXPECT_EQ(TwipsToPixels(-15.0f, 96), -1);
}

}  // namespace
}  // namespace tavrel
