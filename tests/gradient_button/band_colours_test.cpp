#include "gradient_button/band_colours.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(RoundHalfEven, TakesHalvesToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(374.5), 374);
  EXPECT_EQ(RoundHalfEven(375.5), 376);
  EXPECT_EQ(RoundHalfEven(5.54), 6);
  EXPECT_EQ(RoundHalfEven(249.46), 249);
}

TEST(GradientBandColours, BlackToWhiteStepsOncePerBandAndHoldsThePastBottomBandAtWhite) {
  const auto bands = GradientBandColours(0x000000, 0xFFFFFF, 375);
  ASSERT_EQ(bands.size(), 47u);  // N = 46
  EXPECT_EQ(bands[0], RgbColour(6, 6, 6));  // already one step (5.54) from the top
  EXPECT_EQ(bands[1], RgbColour(11, 11, 11));
  EXPECT_EQ(bands[45], 0xFFFFFFu);  // entry N - 1 is the bottom colour
  EXPECT_EQ(bands[46], 0xFFFFFFu);  // a step past it, held at 255
}

TEST(GradientBandColours, WhiteToBlackHoldsThePastBottomBandAtBlack) {
  const auto bands = GradientBandColours(0xFFFFFF, 0x000000, 375);
  ASSERT_EQ(bands.size(), 47u);
  EXPECT_EQ(bands[0], RgbColour(249, 249, 249));
  EXPECT_EQ(bands[45], 0x000000u);
  EXPECT_EQ(bands[46], 0x000000u);
}

TEST(GradientBandColours, ChannelsMoveAndAreHeldEachOnItsOwn) {
  // Red falls, green rises, blue stays: past the bottom red is held at 0
  // while green is held at 255 and blue does not move.
  const auto bands = GradientBandColours(RgbColour(255, 0, 100), RgbColour(0, 255, 100), 16);
  ASSERT_EQ(bands.size(), 3u);  // N = 2, step 127.5
  EXPECT_EQ(bands[0], RgbColour(128, 128, 100));  // 127.5 and 127.5, halves to even
  EXPECT_EQ(bands[1], RgbColour(0, 255, 100));
  EXPECT_EQ(bands[2], RgbColour(0, 255, 100));
}

TEST(GradientBandColours, LeavesSystemColoursUnresolved) {
  // The button-face number 15 becomes a red channel of 15.
  const auto bands = GradientBandColours(0x000000, 0x8000000F, 80);
  ASSERT_EQ(bands.size(), 11u);
  EXPECT_EQ(bands[9], RgbColour(15, 0, 0));
  EXPECT_EQ(bands[10], RgbColour(16, 0, 0));  // 16.5 held as 16, halves to even
}

TEST(GradientBandColours, ShortOrEmptyFacesNeverDivideByZero) {
  EXPECT_EQ(GradientBandColours(0x123456, 0xFFFFFF, 7), std::vector<Colour>{0x123456});
  EXPECT_EQ(GradientBandColours(0x123456, 0xFFFFFF, 0), std::vector<Colour>{0x123456});
  EXPECT_EQ(GradientBandColours(0x80000012, 0, 3), std::vector<Colour>{0x12});
  EXPECT_TRUE(GradientBandColours(0, 0xFFFFFF, -8).empty());
}

}  // namespace
}  // namespace tavrel
