// The layout pass: pressed offset and the picture area's place.
#include <gtest/gtest.h>

#include "gradient_button/recorded_brix_button.h"

namespace tavrel {
namespace {

PicturePtr Image(int side_pixels) {
  auto picture = std::make_shared<Picture>();
  picture->width = side_pixels;
  picture->height = side_pixels;
  picture->pixels.assign(static_cast<std::size_t>(side_pixels * side_pixels), 0x00336699);
  return picture;
}

struct Placement {
  float left;
  float top;
};

Placement Layout(BrixButton& button, bool down) {
  button.SetButtonDown(down);
  button.UserControl_Resize();
  return {button.Picture1().Left(), button.Picture1().Top()};
}

// The size-to-image switch is only ever turned on by a centred picture; a
// 240 x 240 area for the other alignments is made that way.
void SizeAreaTo240(BrixButton& button, std::int32_t align) {
  button.SetPicture(Image(16));
  button.SetPictureAlign(2);
  button.SetPictureAlign(align);
  ASSERT_FLOAT_EQ(button.Picture1().Width(), 240);
  ASSERT_FLOAT_EQ(button.Picture1().Height(), 240);
}

TEST(Layout, PictureAtTheLeftIsCentredVerticallyAndPressedMovesItDownTenAndRightTwenty) {
  RecordedBrixButton host(1455, 375);
  SizeAreaTo240(host.Button(), 0);

  const Placement resting = Layout(host.Button(), false);
  EXPECT_FLOAT_EQ(resting.top, 67.5f);
  EXPECT_FLOAT_EQ(resting.left, 72.75f);
  EXPECT_FLOAT_EQ(host.Button().PressOffset(), 0);
  const Placement pressed = Layout(host.Button(), true);
  EXPECT_FLOAT_EQ(pressed.top, 77.5f);
  EXPECT_FLOAT_EQ(pressed.left, 92.75f);
  EXPECT_FLOAT_EQ(host.Button().PressOffset(), -10);
}

TEST(Layout, CentredPictureTakesItsImagesSizeFirst) {
  RecordedBrixButton host(1455, 375);
  host.Button().SetPicture(Image(16));
  EXPECT_FLOAT_EQ(host.Button().Picture1().Width(), 495);  // switch still off
  host.Button().SetPictureAlign(2);
  EXPECT_TRUE(host.Button().Picture1().SizesToImage());

  const Placement resting = Layout(host.Button(), false);
  EXPECT_FLOAT_EQ(resting.top, 67.5f);
  EXPECT_FLOAT_EQ(resting.left, 607.5f);
  const Placement pressed = Layout(host.Button(), true);
  EXPECT_FLOAT_EQ(pressed.top, 77.5f);
  EXPECT_FLOAT_EQ(pressed.left, 627.5f);
}

TEST(Layout, PictureAboveMakesRoomForTheCaptionsOwnHeight) {
  RecordedBrixButton host(1455, 735);  // the recorder's caption is 195 high
  SizeAreaTo240(host.Button(), 1);

  const Placement resting = Layout(host.Button(), false);
  EXPECT_FLOAT_EQ(resting.top, 150);
  EXPECT_FLOAT_EQ(resting.left, (1455 - 240) / 2.0f);
  const Placement pressed = Layout(host.Button(), true);
  EXPECT_FLOAT_EQ(pressed.top, 160);
  EXPECT_FLOAT_EQ(pressed.left, (1455 - 240) / 2.0f + 20);
}

TEST(Layout, PlacesTheAreaHiddenOrNotAndLetsAnOversizedOneHangOutside) {
  RecordedBrixButton host(300, 200);
  host.Button().SetShowPicture(false);
  host.Button().SetPictureAlign(5);
  host.Button().SetPicture(Image(40));  // 600 x 600 twips
  EXPECT_FALSE(host.Button().Picture1().Visible());
  EXPECT_FLOAT_EQ(host.Button().Picture1().Top(), (200 - 600) / 2.0f);
  EXPECT_FLOAT_EQ(host.Button().Picture1().Left(), (300 - 600) / 2.0f);
}

TEST(Layout, TheSizeToImageSwitchNeverTurnsOff) {
  RecordedBrixButton host(1455, 375);
  host.Button().SetPictureAlign(2);
  host.Button().SetPictureAlign(0);
  host.Button().SetPicture(Image(32));
  EXPECT_FLOAT_EQ(host.Button().Picture1().Width(), 480);
  EXPECT_FLOAT_EQ(host.Button().Picture1().Height(), 480);

  // Without an image the area keeps the size it had.
  host.Button().SetPicture(nullptr);
  EXPECT_FLOAT_EQ(host.Button().Picture1().Width(), 480);
}

}  // namespace
}  // namespace tavrel
