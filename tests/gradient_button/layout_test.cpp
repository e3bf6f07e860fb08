// The layout pass: pressed offset and the picture area's place.
#include <gtest/gtest.h>

#include "gradient_button/recorded_brix_button.h"
#include "tests/gradient_button/calls.h"

namespace tavrel {
namespace {

using calls::Image;

TEST(Layout, PlacesThePictureForEachAlignmentAndPressedMovesItDownTenAndRightTwenty) {
  struct Case {
    std::int32_t align;
    float height;  // the recorder's caption is 195 high
    float left;
    float top;
  };
  for (const Case c : {Case{0, 375, 72.75f, 67.5f}, Case{1, 735, 607.5f, 150},
                       Case{2, 375, 607.5f, 67.5f}}) {
    SCOPED_TRACE(c.align);
    RecordedBrixButton host(1455, c.height);
    BrixButton& button = host.Button();
    button.SetPicture(Image(16));
    EXPECT_FLOAT_EQ(button.Picture1().Width(), 495);  // sizing to the image is still off
    // Only a centred picture turns sizing to the image on; it stays on.
    button.SetPictureAlign(2);
    button.SetPictureAlign(c.align);
    EXPECT_FLOAT_EQ(button.Picture1().Width(), 240);
    EXPECT_FLOAT_EQ(button.Picture1().Height(), 240);
    for (const bool down : {false, true}) {
      button.SetButtonDown(down);
      button.UserControl_Resize();
      EXPECT_FLOAT_EQ(button.Picture1().Left(), c.left + (down ? 20.f : 0.f));
      EXPECT_FLOAT_EQ(button.Picture1().Top(), c.top + (down ? 10.f : 0.f));
      EXPECT_FLOAT_EQ(button.PressOffset(), down ? -10.f : 0.f);
    }
    button.SetPicture(Image(32));
    EXPECT_FLOAT_EQ(button.Picture1().Width(), 480);
  }
}

TEST(Layout, HiddenOrOversizedAreasArePlacedAndAMissingImageKeepsTheSize) {
  RecordedBrixButton host(300, 200);
  BrixButton& button = host.Button();
  button.SetShowPicture(false);
  button.SetPictureAlign(5);
  button.SetPicture(Image(40));  // 600 x 600 twips, hanging outside
  EXPECT_FALSE(button.Picture1().Visible());
  EXPECT_FLOAT_EQ(button.Picture1().Top(), (200 - 600) / 2.0f);
  EXPECT_FLOAT_EQ(button.Picture1().Left(), (300 - 600) / 2.0f);
  button.SetPicture(nullptr);
  EXPECT_FLOAT_EQ(button.Picture1().Width(), 600);
}

}  // namespace
}  // namespace tavrel
