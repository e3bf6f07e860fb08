// The review dialog's OK button as a real window under Wine: the pixels it paints, the events it raises.
#include <gtest/gtest.h>

#include <string>

#include "gradient_button/win32/gradient_button_window.h"
#include "ui/win32/win32_util.h"

namespace tavrel {
namespace {

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(ok, nullptr);
    ok->Button().Refresh();  // its parent is never shown, so nothing else asks for a paint pass
    ok->Control().OnMouseDown = [this] { seen += "MouseDown "; };
    ok->Control().OnClick = [this] { seen += "Click "; };
  }
  void Send(UINT message, WPARAM w, int x = 10) { SendMessageW(ok->Handle(), message, w, win32::MakePoint(x, 10)); }
  // The face as the button paints it: 97 x 25 pixels at 96 dots per inch.
  COLORREF Pixel(int x, int y) {
    const MemoryDc dc(screen.Get());
    const ScopedSelectObject selected(dc.Get(), bitmap.Get());
    SendMessageW(ok->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    return GetPixel(dc.Get(), x, y);
  }
  int CountInRow(int y, int colour_index) {
    int count = 0;
    for (int x = 4; x < 90; ++x) count += Pixel(x, y) == GetSysColor(colour_index);
    return count;
  }

  UniqueHwnd parent{CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr)};
  WindowDc screen{nullptr};
  UniqueGdiObject bitmap{CreateCompatibleBitmap(screen.Get(), 97, 25)};
  std::unique_ptr<GradientButtonWindow> ok{CreateGradientButton(
      parent.Get(), 100, SettingsForGradientButton({{{1800, 3720, 1455, 375}, kArial825Bold, L"OK"}, 0xF7E0BB, 1, 2}))};
  std::string seen;
};

TEST_F(HostTest, PaintsItsFaceCaptionFocusCueAndGradientIntoABitmap) {
  EXPECT_EQ(std::pair(Pixel(10, 12), Pixel(20, 1)), std::pair(RGB(0xBB, 0xE0, 0xF7), GetSysColor(COLOR_3DHIGHLIGHT)));
  EXPECT_GT(CountInRow(12, COLOR_BTNTEXT), 3);  // the caption
  SetFocus(ok->Handle());
  EXPECT_GT(CountInRow(3, COLOR_BTNSHADOW), 10);  // the dotted focus cue
  ok->Button().SetFadetoColor(RGB(250, 0, 0)), ok->Button().SetStyle(1);
  EXPECT_LT(GetBValue(Pixel(10, 4)) + 100, GetBValue(Pixel(10, 20)));  // red at the top, light blue below
}

TEST_F(HostTest, OnlyALeftPressReleasedInsideClicksAndLostCaptureReleasesWithoutOne) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(std::pair(GetCapture(), Pixel(20, 1)), std::pair(ok->Handle(), GetSysColor(COLOR_3DDKSHADOW)));
  Send(WM_LBUTTONUP, 0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON), Send(WM_LBUTTONUP, 0, -50);  // released outside
  Send(WM_RBUTTONDOWN, MK_RBUTTON), Send(WM_RBUTTONUP, 0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON), SetCapture(parent.Get()), ReleaseCapture();  // capture taken away mid-press
  EXPECT_EQ(Pixel(20, 1), GetSysColor(COLOR_3DHIGHLIGHT));
  Send(BM_CLICK, 0);
  for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_SPACE}, WPARAM{'A'}}) Send(WM_KEYDOWN, key), Send(WM_KEYUP, key);
  EXPECT_EQ(seen, "MouseDown Click MouseDown MouseDown MouseDown MouseDown Click Click Click ");
  MSG enter{nullptr, WM_KEYDOWN, VK_RETURN, 0, 0, {}};  // Enter is the focused button's, not the dialog's
  EXPECT_TRUE(SendMessageW(ok->Handle(), WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE);
}

}  // namespace
}  // namespace tavrel
