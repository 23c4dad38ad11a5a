#include "skin/pixels/bmp_image.h"

#include <gtest/gtest.h>

#include "skin/bmp_builder.h"
#include "skin/pixels/pixel_buffer.h"

namespace quonel {
namespace {

PixelView View(BmpImage& image) {
  return {image.bits.data(), image.width, image.height, image.bitsPerPixel, DibStride(image.width, image.bitsPerPixel)};
}

TEST(DecodeBmp, BottomUpRowsArriveTopDown) {
  const std::string file = testing::MakeBmp24(3, 2, [](int x, int y) { return MakeColour(x, y, 7); });
  auto image = DecodeBmp(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->bitsPerPixel, 24);
  EXPECT_EQ(PixelColour(View(*image), image->palette, 2, 1), MakeColour(2, 1, 7));
  EXPECT_EQ(PixelColour(View(*image), image->palette, 0, 0), MakeColour(0, 0, 7));
}

TEST(DecodeBmp, FourBitImageKeepsItsPalette) {
  const std::string file =
      testing::MakeBmpIndexed(20, 21, 4, {0x000000, 0xFF00FF, 0x00FF00}, [](int x, int) { return x % 3; });
  auto image = DecodeBmp(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->bitsPerPixel, 4);
  EXPECT_EQ(image->palette.size(), 3u);
  EXPECT_EQ(PixelColour(View(*image), image->palette, 4, 20), 0xFF00FF);
}

TEST(DecodeBmp, DamagedFilesGiveNoImage) {
  const std::string good = testing::MakeBmp24(4, 4, [](int, int) { return 0; });
  EXPECT_FALSE(DecodeBmp(""));
  EXPECT_FALSE(DecodeBmp(good.substr(0, 30)));                // header cut short
  EXPECT_FALSE(DecodeBmp(good.substr(0, good.size() - 1)));   // pixel data cut short
  std::string badMagic = good;
  badMagic[0] = 'X';
  EXPECT_FALSE(DecodeBmp(badMagic));
  std::string huge = good;
  huge[21] = 0x7F;  // width 0x7F000004
  EXPECT_FALSE(DecodeBmp(huge));
  std::string compressed = good;
  compressed[30] = 1;
  EXPECT_FALSE(DecodeBmp(compressed));
  std::string badOffset = good;
  badOffset[10] = static_cast<char>(0xF0);
  badOffset[11] = 0x7F;
  EXPECT_FALSE(DecodeBmp(badOffset));
  std::string badBits = good;
  badBits[28] = 7;
  EXPECT_FALSE(DecodeBmp(badBits));
}

}  // namespace
}  // namespace quonel
