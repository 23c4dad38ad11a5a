#include "app/state_images.h"

#include <gtest/gtest.h>

#include <map>

namespace quonel {
namespace {

std::map<uint32_t, int> ColourCounts(StateImage image) {
  std::map<uint32_t, int> counts;
  for (uint32_t pixel : StateImagePixels(image)) ++counts[pixel];
  return counts;
}

// Each picture is recognisable by its dominant colour, has a transparent
// surround, and the four are all different.
TEST(StateImages, EachPictureHasItsColourAndATransparentBorder) {
  EXPECT_GT(ColourCounts(StateImage::Hourglass)[0x1E3CB4], 30);
  EXPECT_GT(ColourCounts(StateImage::Tick)[0x109010], 15);
  EXPECT_GT(ColourCounts(StateImage::Cross)[0xD01818], 40);
  EXPECT_GT(ColourCounts(StateImage::Information)[0xFFFFFF], 80);
  EXPECT_GT(ColourCounts(StateImage::Information)[0x1E3CB4], 10);
  EXPECT_EQ(0, ColourCounts(StateImage::Tick)[0xD01818]);
  for (int i = 0; i < kStateImageCount; ++i) {
    const auto pixels = StateImagePixels(static_cast<StateImage>(i));
    EXPECT_EQ(kStateImageTransparent, pixels[0]) << i;
    EXPECT_EQ(kStateImageTransparent, pixels[255]) << i;
    for (int j = 0; j < i; ++j) EXPECT_NE(pixels, StateImagePixels(static_cast<StateImage>(j)));
  }
}

}  // namespace
}  // namespace quonel
