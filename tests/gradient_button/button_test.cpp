// The gradient button without a window: its pixels, where caption and picture go, its events and properties.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "gradient_button/band_colours.h"
#include "gradient_button/brix_button.h"
#include "gradient_button/button_control_adapter.h"
#include "gradient_button/button_settings.h"
#include "ui/headless/pixel_surface.h"

namespace tavrel {
namespace {

constexpr Colour kFace = 0x00F7E0BB, kForm = 0x00123456;

struct Host final : ButtonHost {
  void PropertyChanged(std::wstring_view name) override { changed.emplace_back(name); }
  SurfaceFont AmbientFont() const override { return {}; }
  Colour AmbientBackColor() const override { return kForm; }
  void RefreshSurface() override {}
  void PictureAreaChanged() override {}
  void RefreshPictureArea() override {}
  PixelSurface surface{1455, 375};
  BrixButton button{surface, *this};
  std::vector<std::wstring> changed;
};

TEST(BandColours, StepFromTheTopColourRoundHalvesToEvenAndHoldChannelsInRange) {
  EXPECT_EQ(std::tuple(RoundHalfEven(2.5), RoundHalfEven(3.5), RoundHalfEven(2.6)), std::tuple(2, 4, 3));
  const auto bands = GradientBandColours(RgbColour(0, 100, 250), RgbColour(80, 100, 0), 87);
  EXPECT_EQ(std::tuple(bands.size(), bands.at(0), bands.at(9), bands.at(10)),
            std::tuple(11u, RgbColour(8, 100, 225), RgbColour(80, 100, 0), RgbColour(88, 100, 0)));
  EXPECT_EQ(GradientBandColours(0, RgbColour(5, 0, 0), 16),
            (std::vector<Colour>{RgbColour(2, 0, 0), RgbColour(5, 0, 0), RgbColour(8, 0, 0)}));
  EXPECT_EQ(GradientBandColours(0x8000000F, 0, 7), (std::vector<Colour>{RgbColour(15, 0, 0)}));
}

TEST(Paint, FrameFocusCueCornersAndGradientFollowBorderStylePressFocusAndStyle) {
  constexpr Colour kUp = system_colour::kHighlight3d, kDown = system_colour::kDarkShadow3d;
  using Case = std::tuple<int, bool, bool, bool, Colour, Colour>;
  for (const auto& [border, down, focus, hide_focus, frame, focus_cue] :
       {Case{0, false, false, false, kFace, kFace}, Case{0, false, true, false, kUp, kFace},
        Case{0, true, false, false, kDown, kFace}, Case{1, false, false, false, kUp, kFace},
        Case{1, false, true, false, kUp, system_colour::kButtonShadow}, Case{1, false, true, true, kUp, kFace},
        Case{1, true, true, false, kDown, kFace}, Case{2, false, true, false, kDown, kFace}}) {
    Host host;
    host.button.SetBackColor(kFace);
    host.button.SetBorderStyle(border);
    host.button.SetHideFocus(hide_focus);
    if (focus) host.button.UserControl_GotFocus();
    host.button.SetButtonDown(down);
    const PixelSurface& at = host.surface;
    const bool framed = border != 0 || down || focus;  // corners cut off in button face, edged in shadow
    EXPECT_EQ(std::tuple(at.Pixel(20, 2), at.Pixel(5, 3), at.Pixel(48, 12), at.Pixel(0, 0), at.Pixel(1, 2)),
              std::tuple(frame, focus_cue, kFace, framed ? system_colour::kButtonFace : kFace,
                         framed ? system_colour::kButtonShadow : kFace));
  }
  Host host;  // a gradient from FadetoColor down to BackColor, upwards when pressed, with form-coloured corners
  host.button.SetBorderStyle(1);
  host.button.SetBackColor(RgbColour(0, 0, 250));
  host.button.SetFadetoColor(RgbColour(250, 0, 0));
  host.button.SetStyle(1);
  const auto red = [&](int y) { return host.surface.Pixel(48, y) & 0xFFu; };
  EXPECT_TRUE(red(4) > red(12) && red(12) > red(20));
  EXPECT_EQ(host.surface.Pixel(0, 0), kForm);
  host.button.SetButtonDown(true);
  EXPECT_LT(red(4), red(20));
}

TEST(Layout, CaptionAndPictureGoWhereAlignmentsAndPressPutThemAndTheCaptionInTheTextColour) {
  using Case = std::tuple<int, int, bool, bool, bool, float, float, float, float>;
  for (const auto& [text_align, picture_align, picture, down, enabled, x, y, left, top] :
       {Case{0, 0, false, false, true, 72.75f, 90, 72.75f, 0}, Case{1, 0, false, false, true, 1202.25f, 90, 72.75f, 0},
        Case{2, 0, false, true, true, 647.5f, 100, 92.75f, 10}, Case{0, 0, true, false, false, 640.5f, 90, 72.75f, 0},
        Case{0, 1, true, false, true, 72.75f, 228.75f, 480, -97.5f},
        Case{2, 2, true, true, true, 647.5f, 100, 627.5f, 77.5f}}) {
    Host host;
    BrixButton& b = host.button;
    BrixButtonControl(b).SetCaption(L"OK");
    b.SetPicture(std::make_shared<Picture>(Picture{16, 16, std::vector<std::uint32_t>(256)}));
    b.SetTextAlign(text_align);
    b.SetPictureAlign(picture_align);  // the area takes the image's size only once centred
    b.SetShowPicture(picture);
    b.SetEnabled(enabled);
    b.SetButtonDown(down);
    b.UserControl_Resize();  // the press offset comes from the layout pass
    b.UserControl_Paint();
    const auto& text = host.surface.Texts().at(0);
    EXPECT_EQ(std::tuple(text.text, text.x, text.y, text.colour, b.ForeColor()),
              std::tuple(L"OK", x, y, enabled ? system_colour::kButtonText : system_colour::kGreyText,
                         system_colour::kButtonText));
    EXPECT_EQ(std::tuple(b.Picture1().Left(), b.Picture1().Top(), b.Picture1().Width()),
              std::tuple(left, top, picture_align == 2 ? 240.f : 495.f));
  }
}

TEST(Input, MouseKeysAndFocusPressReleaseAndRaiseEventsOnPushAndToggleButtons) {
  for (const int toggle : {0, 1}) {
    Host host;
    BrixButton& b = host.button;
    b.SetBehavior(toggle);
    std::string seen;
    const auto state = [&] { seen += b.ButtonDown() ? "v " : "^ "; };
    const auto focus = [&] { seen += b.HasFocus() ? "F " : "f "; };
    BrixButtonControl control(b);  // Click and MouseDown as a window's logic sees them
    control.OnClick = [&] { seen += "Click "; };
    control.OnMouseDown = [&] { seen += "Down "; };
    b.events.DblClick = [&] { seen += "DblClick "; };
    b.events.KeyPress = [&](std::int16_t& key) { seen += "Press" + std::to_string(key) + " "; };
    b.events.KeyDown = [](std::int16_t& key, std::int16_t&) {  // A acts as Space, Space as nothing
      key = static_cast<std::int16_t>(key == 65 ? 32 : key == 32 ? 0 : key);
    };
    b.events.KeyUp = [&](std::int16_t& key, std::int16_t&) { seen += "Up" + std::to_string(key) + " "; };
    const auto mouse = [&seen](std::string name) {
      return [&seen, name](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
        seen += name + std::to_string(button) + std::to_string(shift) + "@" + std::to_string(static_cast<int>(x)) +
                "," + std::to_string(static_cast<int>(y)) + " ";
      };
    };
    b.events.MouseMove = mouse("Move");
    b.events.MouseUp = mouse("Up");
    std::int16_t left = 1, shift = 1, enter = 13, space = 32, a = 65, none = 0;
    float x = 15, y = 30;  // picture events arrive offset by where the last layout pass put the area
    b.UserControl_MouseDown(left, shift, x, y), state(), b.Picture1_MouseMove(left, shift, x, y);
    b.UserControl_MouseUp(left, shift, x, y), state(), b.UserControl_KeyDown(enter, none), state();
    b.Picture1_KeyUp(enter, none), state(), b.Picture1_KeyDown(space, none), state(), b.SetButtonDown(false);
    b.Picture1_KeyDown(a, none), state(), b.SetButtonDown(false), b.Picture1_KeyPress(enter);
    b.Picture1_Click(), b.Picture1_DblClick(), b.Picture1_MouseUp(left, shift, x, y), state();
    b.SetBehavior(0), state();  // leaving toggle mode releases
    b.UserControl_GotFocus(), focus(), b.UserControl_LostFocus(), focus();
    b.UserControl_EnterFocus(), focus(), b.UserControl_ExitFocus(), focus();
    EXPECT_EQ(seen, toggle ? "Down ^ Move11@87,30 Up11@15,30 v v Up13 Click ^ ^ ^ Press13 Click DblClick "
                             "Up11@107,40 v ^ F f F f "
                           : "Down v Move11@107,40 Up11@15,30 ^ v Up13 Click ^ ^ v Press13 Click DblClick "
                             "Up11@87,30 ^ ^ F f F f ");
  }
}

TEST(Persistence, EveryPropertyTellsTheContainerAndRoundTripsThroughABag) {
  Host saved, restored, defaults;
  BrixButton& b = saved.button;
  b.SetBackColor(kFace);
  b.SetForeColor(7);
  b.SetEnabled(false);
  b.SetFont({L"Arial", 9.75, true, true, true, true});
  b.SetCaption(L"OK");
  b.SetBorderStyle(2);
  b.SetTextAlign(1);
  b.SetBehavior(1);
  b.SetStyle(1);
  b.SetFadetoColor(kForm);
  b.SetPicture(std::make_shared<Picture>(Picture{2, 2, std::vector<std::uint32_t>(4)}));
  b.SetShowPicture(true);
  b.SetHideFocus(true);
  b.SetButtonDown(true);
  b.SetPictureAlign(2);
  const std::vector<std::wstring> names{L"BackColor",   L"ForeColor",   L"Enabled",   L"Font",       L"Caption",
                                        L"BorderStyle", L"TextAlign",   L"Behavior",  L"Style",      L"FadetoColor",
                                        L"Picture",     L"ShowPicture", L"HideFocus", L"ButtonDown", L"PictureAlign"};
  EXPECT_EQ(saved.changed, names);
  PropertyBag bag, again, odd, written;  // odd: values of the wrong kind, read as defaults, which are not stored
  b.UserControl_WriteProperties(bag);
  EXPECT_EQ(bag.Entries().size(), names.size());
  restored.button.UserControl_ReadProperties(bag);
  restored.button.UserControl_WriteProperties(again);
  EXPECT_TRUE(again.Entries() == bag.Entries());
  for (const auto& name : names) odd.Set(name, name == L"Caption" || name == L"Font" ? PropertyValue{1} : L"1");
  odd.Set(L"CAPTION", L"Shout");  // names match whatever their case
  defaults.button.UserControl_ReadProperties(odd), defaults.button.UserControl_WriteProperties(written);
  EXPECT_EQ(std::tuple(written.Entries().size(), defaults.button.Caption()), std::tuple(1u, std::wstring(L"Shout")));
}

TEST(Persistence, ALayoutsSettingsReachTheButtonThroughItsBag) {
  Host host;
  const auto restore = [b = &host.button](const GradientButtonSpec& layout) {
    b->UserControl_ReadProperties(SettingsForGradientButton(layout).properties);
    return std::tuple(BrixButtonControl(*b).Caption(), b->BackColor(), b->Font(), b->BorderStyle(), b->TextAlign());
  };
  EXPECT_EQ(restore({{{1800, 3720, 1455, 375}, kArial825Bold, L"OK"}, kFace, 1, 2}),
            std::tuple(std::wstring(L"OK"), kFace, SurfaceFont{L"Arial", 8.25, true}, 1, 2));
  EXPECT_EQ(restore({{{0, 0, 900, 300}, {L"Tahoma", 1200, false}, L"Go"}, 0x00112233, 2, 1}),
            std::tuple(std::wstring(L"Go"), Colour{0x00112233}, SurfaceFont{L"Tahoma", 12}, 2, 1));
}

}  // namespace
}  // namespace tavrel
