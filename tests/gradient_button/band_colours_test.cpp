// Band colours on their own; whole gradients are checked in paint_test.cpp.
#include "gradient_button/band_colours.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(GradientBandColours, RoundsHalfToEvenAndMovesAndHoldsEachChannelOnItsOwn) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(5.54), 6);
  EXPECT_EQ(RoundHalfEven(249.46), 249);
  // Red falls, green rises, blue stays; past the bottom each is held on its own.
  EXPECT_EQ(GradientBandColours(RgbColour(255, 0, 100), RgbColour(0, 255, 100), 16),
            (std::vector<Colour>{RgbColour(128, 128, 100), RgbColour(0, 255, 100),
                                 RgbColour(0, 255, 100)}));
  // A system colour is not resolved: button face 15 becomes a red channel of 15.
  const auto bands = GradientBandColours(0x000000, 0x8000000F, 80);
  ASSERT_EQ(bands.size(), 11u);
  EXPECT_EQ(bands[9], RgbColour(15, 0, 0));
  EXPECT_EQ(bands[10], RgbColour(16, 0, 0));  // 16.5 held as 16
}

TEST(GradientBandColours, ShortOrEmptyFacesNeverDivideByZero) {
  EXPECT_EQ(GradientBandColours(0x123456, 0xFFFFFF, 7), std::vector<Colour>{0x123456});
  EXPECT_EQ(GradientBandColours(0x123456, 0xFFFFFF, 0), std::vector<Colour>{0x123456});
  EXPECT_EQ(GradientBandColours(0x80000012, 0, 3), std::vector<Colour>{0x12});
  EXPECT_TRUE(GradientBandColours(0, 0xFFFFFF, -8).empty());
}

}  // namespace
}  // namespace tavrel
