#include "skin/gdi/transparent_blit.h"

#include <gtest/gtest.h>

#include "skin/bmp_builder.h"
#include "skin/gdi/region_from_bitmap.h"
#include "skin/skin_bitmap_fixture.h"

namespace quonel {
namespace {

using testing::Canvas;
using testing::MakeBitmap;

// Magenta on a checkerboard, near-magenta elsewhere on the diagonal.
TColor Checker(int x, int y) {
  if ((x + y) % 2 == 0) return clMagenta;
  return x == y + 1 ? MakeColour(255, 1, 255) : MakeColour(x * 20, y * 20, 200);
}

TEST(TransparentBlit, KeyPixelsNeverReachTheDestinationOnBothPaths) {
  const SkinBitmap source = MakeBitmap(8, 6, Checker);
  for (MaskedCopy method : {MaskedCopy::MaskBlt, MaskedCopy::InvertAndMask}) {
    Canvas canvas(12, 10, MakeColour(1, 2, 3));
    TransparentBlit(canvas.Dc(), {2, 3, 10, 9}, source, clMagenta, method);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 12; ++x) {
        const bool inside = x >= 2 && x < 10 && y >= 3 && y < 9;
        const TColor expected = inside && Checker(x - 2, y - 3) != clMagenta ? Checker(x - 2, y - 3) : MakeColour(1, 2, 3);
        ASSERT_EQ(canvas.At(x, y), expected) << "method " << static_cast<int>(method) << " at " << x << "," << y;
      }
    // The destination's colours are restored by the raster-operation path.
    EXPECT_EQ(GetBkColor(canvas.Dc()), RGB(255, 255, 255));
  }
}

TEST(TransparentBlit, PalettedSourceAndClippingToTheBitmap) {
  const SkinBitmap source = SkinBitmap::FromBmpFile(testing::MakeBmpIndexed(
      4, 2, 4, {0xFF00FF, MakeColour(9, 9, 9)}, [](int x, int) { return x % 2; }));
  Canvas canvas(8, 4, clWhite);
  TransparentBlit(canvas.Dc(), {0, 0, 8, 4}, source, clMagenta);
  EXPECT_EQ(canvas.At(0, 0), clWhite);
  EXPECT_EQ(canvas.At(1, 1), MakeColour(9, 9, 9));
  EXPECT_EQ(canvas.At(5, 0), clWhite);  // beyond the bitmap nothing is drawn
  EXPECT_EQ(canvas.At(1, 2), clWhite);
}

TEST(RegionFromBitmap, MagentaCornersAreLeftOut) {
  const SkinBitmap corners = MakeBitmap(10, 6, [](int x, int y) {
    const bool corner = (x < 2 || x > 7) && (y < 2 || y > 3);
    return corner ? clMagenta : MakeColour(0, 128, 0);
  });
  OwnedRegion region = RegionFromBitmap(corners, 100, 50, 1, 1, 1, clMagenta);
  ASSERT_TRUE(region);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region.Get(), &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 100);
  EXPECT_EQ(box.top, 50);
  EXPECT_EQ(box.right, 110);
  EXPECT_EQ(box.bottom, 56);
  EXPECT_FALSE(PtInRegion(region.Get(), 100, 50));
  EXPECT_FALSE(PtInRegion(region.Get(), 109, 55));
  EXPECT_TRUE(PtInRegion(region.Get(), 102, 50));
  EXPECT_TRUE(PtInRegion(region.Get(), 100, 52));
  EXPECT_TRUE(PtInRegion(region.Get(), 109, 53));
}

TEST(RegionFromBitmap, ManyRunsAreUnitedInBatches) {
  // 3,000 single-pixel runs: more than one batch of 2,000.
  const SkinBitmap stripes = MakeBitmap(120, 50, [](int x, int) { return x % 2 ? clMagenta : clBlack; });
  OwnedRegion region = RegionFromBitmap(stripes, 0, 0, 1, 1, 1, clMagenta);
  EXPECT_TRUE(PtInRegion(region.Get(), 0, 0));
  EXPECT_TRUE(PtInRegion(region.Get(), 118, 49));
  EXPECT_FALSE(PtInRegion(region.Get(), 119, 49));
  OwnedRegion empty = RegionFromBitmap(SkinBitmap(), 0, 0, 1, 1, 1, clMagenta);
  RECT box{};
  EXPECT_EQ(GetRgnBox(empty.Get(), &box), NULLREGION);
}

}  // namespace
}  // namespace quonel
