#include "skin/gdi/bitmap_transforms.h"

#include <gtest/gtest.h>

#include "skin/bmp_builder.h"
#include "skin/skin_bitmap_fixture.h"

namespace quonel {
namespace {

using testing::MakeBitmap;

TColor Distinct(int x, int y) { return MakeColour(10 * x + 1, 20 * y + 2, 3); }

TEST(BitmapTransforms, MirrorAndFlipMoveColumnsAndRows) {
  SkinBitmap mirrored = MakeBitmap(4, 3, Distinct);
  MirrorBitmap(mirrored);
  SkinBitmap flipped = MakeBitmap(4, 3, Distinct);
  FlipBitmap(flipped);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(mirrored.Pixel(x, y), Distinct(3 - x, y));
      EXPECT_EQ(flipped.Pixel(x, y), Distinct(x, 2 - y));
    }
}

TEST(BitmapTransforms, RotationsSwapTheSides) {
  SkinBitmap left = MakeBitmap(4, 3, Distinct);
  RotateBitmapLeft(left);
  SkinBitmap right = MakeBitmap(4, 3, Distinct);
  RotateBitmapRight(right);
  ASSERT_EQ(left.Width(), 3);
  ASSERT_EQ(left.Height(), 4);
  ASSERT_EQ(right.Width(), 3);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(left.Pixel(x, y), Distinct(4 - 1 - y, x)) << x << "," << y;
      EXPECT_EQ(right.Pixel(x, y), Distinct(y, 3 - 1 - x)) << x << "," << y;
    }
}

TEST(BitmapTransforms, PalettedBitmapsKeepTheirFormatUntilGreyed) {
  const std::vector<uint32_t> palette{0x000000, 0xFF00FF, MakeColour(30, 60, 90)};
  SkinBitmap image = SkinBitmap::FromBmpFile(
      testing::MakeBmpIndexed(5, 2, 4, palette, [](int x, int y) { return (x + y) % 3; }));
  ASSERT_EQ(image.BitsPerPixel(), 4);
  MirrorBitmap(image);
  EXPECT_EQ(image.BitsPerPixel(), 4);
  EXPECT_EQ(image.Pixel(0, 0), 0xFF00FF);  // source (4, 0): index 1
  SkinBitmap copy;
  CopyBitmap(image, copy);
  EXPECT_EQ(copy.BitsPerPixel(), 4);
  EXPECT_EQ(copy.Pixel(1, 1), image.Pixel(1, 1));
  RecolorMagenta(copy, MakeColour(7, 8, 9));
  EXPECT_EQ(copy.BitsPerPixel(), 24);
  EXPECT_EQ(copy.Pixel(0, 0), MakeColour(7, 8, 9));
  GrayscaleBitmap(image);
  EXPECT_EQ(image.BitsPerPixel(), 24);
  EXPECT_EQ(image.Pixel(0, 0), MakeColour(170, 170, 170));
  EXPECT_EQ(image.Pixel(2, 0), MakeColour(60, 60, 60));  // source (2, 0): index 2
}

TEST(BitmapTransforms, EmptyBitmapsStayEmpty) {
  SkinBitmap empty;
  MirrorBitmap(empty);
  RotateBitmapLeft(empty);
  GrayscaleBitmap(empty);
  EXPECT_TRUE(empty.Empty());
  EXPECT_TRUE(SkinBitmap::FromBmpFile("BM not a bitmap").Empty());
}

TEST(BlendColorsOnWindows, SystemColoursComeFromThePlatform) {
  const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(BlendColors(clBlack, SystemColour(COLOR_BTNFACE), 0), face);
  EXPECT_EQ(ColorToRGB(SystemColour(COLOR_WINDOW)), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
}

}  // namespace
}  // namespace quonel
