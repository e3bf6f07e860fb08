#include "gradient_button/toolkit_button.h"

#include <gtest/gtest.h>

#include "gradient_button/recorded_brix_button.h"

namespace tavrel {
namespace {

GradientButtonSpec Layout(int left, const wchar_t* caption, std::uint32_t back_color) {
  return {.button = {.rect = {left, 3720, 1455, 375}, .font = kArial825Bold, .caption = caption},
          .backColor = back_color,
          .borderStyle = 1,
          .textAlign = 2};
}

TEST(SettingsForGradientButton, TheDialogsButtonsComeFromTheShippedFormDescription) {
  // Placed where the description has the Cancel button: restored from it,
  // whatever the layout's own caption says.
  const ButtonSettings settings = SettingsForGradientButton(Layout(3480, L"ignored", 0));
  RecordedBrixButton host(1455, 375, settings.ambient_font);
  host.Button().UserControl_ReadProperties(settings.properties);
  EXPECT_EQ(host.Button().Caption(), L"Cancel");
  EXPECT_EQ(settings.placement, (ControlPlacement{3480, 3720, 1455, 375}));
}

TEST(SettingsForGradientButton, OtherButtonsAreSavedFromTheirSpecWithoutDefaults) {
  const ButtonSettings settings = SettingsForGradientButton(Layout(100, L"Go", 0x00123456));
  EXPECT_EQ(settings.placement, (ControlPlacement{100, 3720, 1455, 375}));
  std::vector<std::wstring> names;
  for (const auto& entry : settings.properties.Entries()) names.push_back(entry.first);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"backcolor", L"font", L"caption", L"borderstyle",
                                              L"textalign"}));
  RecordedBrixButton host(1455, 375, settings.ambient_font);
  host.Button().UserControl_ReadProperties(settings.properties);
  EXPECT_EQ(host.Button().Caption(), L"Go");
  EXPECT_EQ(host.Button().BackColor(), 0x00123456u);
  EXPECT_EQ(host.Button().Font(), (SurfaceFont{L"Arial", 8.25, true}));
}

}  // namespace
}  // namespace tavrel
