#include "skin/gdi/skin_renderers.h"

#include <gtest/gtest.h>

#include "skin/pixels/gradient.h"
#include "skin/skin_bitmap_fixture.h"

namespace quonel {
namespace {

using testing::Canvas;
using testing::MakeBitmap;

// A 9 x 9 frame cut by margins 2, 2, 3, 3 into nine uniform zones; frame k
// of the strip adds 100 * (k - 1) to the red channel.
constexpr Margins kMargins{2, 2, 3, 3};
int Zone(int pos, int low, int size, int high) { return pos < low ? 0 : pos >= size - high ? 2 : 1; }
TColor ZoneColour(int zoneX, int zoneY, int frame) { return MakeColour(10 + 100 * frame + zoneX, 40 * zoneY, 7); }
SkinBitmap NineZoneStrip(int frames, int surplus = 0) {
  return MakeBitmap(9 * frames + surplus, 9, [=](int x, int y) {
    if (x >= 9 * frames) return clWhite;
    return ZoneColour(Zone(x % 9, 2, 9, 3), Zone(y, 2, 9, 3), x / 9);
  });
}

TEST(BuildSkinImage, MarginsThatFitKeepEveryZone) {
  const SkinBitmap strip = NineZoneStrip(2);
  for (bool tile : {false, true}) {
    SCOPED_TRACE(tile ? "tiled" : "stretched");
    const SkinBitmap image = BuildSkinImage({5, 5, 25, 20}, {.bitmap = strip, .count = 2, .index = 2, .margins = kMargins, .tile = tile});
    ASSERT_EQ(image.Width(), 20);
    ASSERT_EQ(image.Height(), 15);
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 20; ++x)
        ASSERT_EQ(image.Pixel(x, y), ZoneColour(Zone(x, 2, 20, 3), Zone(y, 2, 15, 3), 1)) << x << "," << y;
  }
}

TEST(BuildSkinImage, NarrowTargetStretchesWholeRowsKeepingTopAndBottom) {
  const SkinBitmap strip = NineZoneStrip(1);
  const SkinBitmap image = BuildSkinImage({0, 0, 4, 12}, {.bitmap = strip, .margins = kMargins});
  for (int y = 0; y < 12; ++y) {
    const int zoneY = Zone(y, 2, 12, 3);
    // Corners are stretched along with the edges: the left column shows the
    // left zone, the right column the right zone, on every row.
    EXPECT_EQ(image.Pixel(0, y), ZoneColour(0, zoneY, 0)) << y;
    EXPECT_EQ(image.Pixel(3, y), ZoneColour(2, zoneY, 0)) << y;
  }
}

TEST(BuildSkinImage, VerticalStripPicksRows) {
  const SkinBitmap strip = MakeBitmap(3, 8, [](int, int y) { return y < 4 ? clBlack : MakeColour(1, 2, 3); });
  const SkinBitmap image = BuildSkinImage({0, 0, 6, 6}, {.bitmap = strip, .count = 2, .index = 2, .vertical = true});
  EXPECT_EQ(image.Pixel(0, 0), MakeColour(1, 2, 3));
  EXPECT_EQ(image.Pixel(5, 5), MakeColour(1, 2, 3));
}

TEST(DrawSkinImage, TransparentKeepsTheBackgroundUnderMagenta) {
  const SkinBitmap strip = MakeBitmap(4, 4, [](int x, int) { return x < 2 ? clMagenta : clBlack; });
  Canvas canvas(10, 10, clWhite);
  DrawSkinImage(canvas.Dc(), {2, 2, 6, 6}, {.bitmap = strip, .transparent = true});
  EXPECT_EQ(canvas.At(2, 2), clWhite);
  EXPECT_EQ(canvas.At(4, 2), clBlack);
  EXPECT_EQ(canvas.At(1, 2), clWhite);
  DrawSkinImage(canvas.Dc(), {8, 8, 6, 6}, {.bitmap = strip});  // inverted: nothing
  EXPECT_EQ(canvas.At(7, 7), clWhite);
}

TEST(FrameStrip, SurplusColumnsNeverShow) {
  // Three frames of 3 in 11 columns; the two surplus columns are red.
  const SkinBitmap strip = MakeBitmap(11, 2, [](int x, int) { return x >= 9 ? 0x0000FF : MakeColour(0, x / 3, 0); });
  Canvas canvas(12, 4, clWhite);
  DrawFrameStretched(canvas.Dc(), {0, 0, 12, 4}, {.bitmap = strip, .count = 3, .index = 3});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(canvas.At(x, y), MakeColour(0, 2, 0));
}

TEST(DrawFrameThreeSlice, EndsAtOwnWidthMiddleStretched) {
  const SkinBitmap strip = NineZoneStrip(2);
  Canvas canvas(30, 10, clWhite);
  DrawFrameThreeSlice(canvas.Dc(), {5, 2, 25, 8}, {.bitmap = strip, .count = 2, .index = 1, .margins = kMargins});
  for (int y = 2; y < 8; ++y)
    for (int x = 5; x < 25; ++x) {
      // Full frame height onto the rectangle height: source rows are sampled.
      const TColor c = canvas.At(x, y);
      EXPECT_EQ(RedOf(c), 10 + Zone(x - 5, 2, 20, 3)) << x << "," << y;
    }
  EXPECT_EQ(canvas.At(4, 4), clWhite);
  EXPECT_EQ(canvas.At(25, 4), clWhite);
}

TEST(DrawFrameTiled, MiddleRepeatsAndRightMarginCoversTheOverrun) {
  // Frame 7 wide: left margin 1 (red), middle 4 (A A B B), right margin 2 (blue).
  const TColor red = 0x0000FF, blue = 0xFF0000, a = 0x00AA00, b = 0x005500;
  const TColor columns[7] = {red, a, a, b, b, blue, blue};
  const SkinBitmap strip = MakeBitmap(7, 3, [&](int x, int) { return columns[x]; });
  Canvas canvas(16, 3, clWhite);
  DrawFrameTiled(canvas.Dc(), {0, 0, 13, 3}, {.bitmap = strip, .margins = {1, 0, 2, 0}});
  const TColor expected[13] = {red, a, a, b, b, a, a, b, b, a, a, blue, blue};
  for (int x = 0; x < 13; ++x) EXPECT_EQ(canvas.At(x, 1), expected[x]) << x;
  EXPECT_EQ(canvas.At(13, 1), clWhite);
}

TEST(DrawFrameCentered, LargerFrameOverhangsEvenly) {
  const SkinBitmap strip = MakeBitmap(12, 6, [](int x, int y) { return MakeColour(x, y, 50); });
  Canvas canvas(20, 20, clWhite);
  DrawFrameCentered(canvas.Dc(), {10, 10, 14, 14}, {.bitmap = strip, .count = 2, .index = 2});
  EXPECT_EQ(canvas.At(9, 9), MakeColour(6, 0, 50));
  EXPECT_EQ(canvas.At(14, 14), MakeColour(11, 5, 50));
  EXPECT_EQ(canvas.At(8, 9), clWhite);
  EXPECT_EQ(canvas.At(15, 14), clWhite);
  DrawFrameCentered(canvas.Dc(), {0, 0, 10, 10}, {.bitmap = strip, .count = 2, .index = 1, .transparent = true});
  EXPECT_EQ(canvas.At(2, 2), MakeColour(0, 0, 50));
}

TEST(TileBitmap, RepeatsThePieceAndIgnoresEmptyPieces) {
  const SkinBitmap source = MakeBitmap(4, 4, [](int x, int y) { return MakeColour(x, y, 9); });
  Canvas canvas(10, 10, clWhite);
  TileBitmap(canvas.Dc(), {0, 0, 5, 5}, source, {1, 1, 3, 3});
  EXPECT_EQ(canvas.At(0, 0), MakeColour(1, 1, 9));
  EXPECT_EQ(canvas.At(3, 2), MakeColour(2, 1, 9));
  EXPECT_EQ(canvas.At(5, 5), MakeColour(2, 2, 9));  // the last tiles overrun
  EXPECT_EQ(canvas.At(6, 6), clWhite);
  TileBitmap(canvas.Dc(), {6, 6, 10, 10}, source, {2, 2, 2, 4});
  EXPECT_EQ(canvas.At(7, 7), clWhite);
}

TEST(GradientFill, OneBandIsTheMidpointAndTheClipBoxLimitsBands) {
  Canvas canvas(10, 20, clWhite);
  GradientFill(canvas.Dc(), {0, 0, 10, 1}, MakeColour(0, 0, 0), true, MakeColour(200, 100, 50));
  EXPECT_EQ(canvas.At(5, 0), MakeColour(100, 50, 25));
  HRGN clip = CreateRectRgn(0, 5, 10, 8);
  SelectClipRgn(canvas.Dc(), clip);
  DeleteObject(clip);
  GradientFill(canvas.Dc(), {0, 2, 10, 12}, MakeColour(0, 0, 0), true, MakeColour(90, 90, 90));
  EXPECT_EQ(canvas.At(0, 4), clWhite);
  EXPECT_EQ(canvas.At(0, 5), MakeColour(30, 30, 30));  // band 3 of 10: (4 + 3 * 90) / 9
  EXPECT_EQ(canvas.At(9, 7), MakeColour(50, 50, 50));
  EXPECT_EQ(canvas.At(0, 8), clWhite);
  SelectClipRgn(canvas.Dc(), nullptr);
  GradientFill(canvas.Dc(), {0, 0, 4, 20}, clBlack, false, MakeColour(3, 3, 3));
  EXPECT_EQ(canvas.At(3, 19), MakeColour(3, 3, 3));
  EXPECT_EQ(canvas.At(0, 10), clBlack);
}

TEST(FillWithColor, ResolvesSystemColours) {
  Canvas canvas(4, 4, clWhite);
  FillWithColor(canvas.Dc(), {1, 1, 3, 3}, SystemColour(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(2, 2), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(canvas.At(3, 3), clWhite);
}

}  // namespace
}  // namespace quonel
