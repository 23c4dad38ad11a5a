#include "skin/pixels/pixel_compose.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

// A 24-bit image whose pixel value is its own coordinates, or a fill.
struct Image {
  std::vector<uint8_t> bytes;
  PixelView view;
  Image(int width, int height, uint32_t fill = 0xFFFFFFFF) {
    view = {nullptr, width, height, 24, DibStride(width, 24)};
    bytes.assign(static_cast<size_t>(view.stride) * height, 0);
    view.bits = bytes.data();
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        WritePixelValue(view, x, y, fill == 0xFFFFFFFF ? static_cast<uint32_t>(x | y << 8) : fill);
  }
  uint32_t At(int x, int y) const { return ReadPixelValue(view, x, y); }
};
uint32_t Coord(int x, int y) { return static_cast<uint32_t>(x | y << 8); }

TEST(PixelCompose, ScaledCopySamplesPixelCentres) {
  Image source(4, 2), target(8, 1, 0xABCDEF);
  CopyPieceScaled(source.view, {0, 0, 4, 2}, target.view, {0, 0, 8, 1});
  for (int x = 0; x < 8; ++x) EXPECT_EQ(target.At(x, 0), Coord(x / 2, 1)) << x;
  // Shrinking 4 columns onto 2 takes columns 1 and 3.
  Image narrow(2, 1, 0);
  CopyPieceScaled(source.view, {0, 0, 4, 1}, narrow.view, {0, 0, 2, 1});
  EXPECT_EQ(narrow.At(0, 0), Coord(1, 0));
  EXPECT_EQ(narrow.At(1, 0), Coord(3, 0));
}

TEST(PixelCompose, CopiesOutsideEitherImageAreSkippedOrClipped) {
  Image source(4, 4), target(4, 4, 7);
  CopyPieceScaled(source.view, {2, 2, 6, 6}, target.view, {0, 0, 4, 4});  // source out of bounds
  EXPECT_EQ(target.At(0, 0), 7u);
  CopyPieceScaled(source.view, {0, 0, 4, 4}, target.view, {2, -1, 6, 3});  // clipped by the target
  EXPECT_EQ(target.At(2, 0), Coord(0, 1));
  EXPECT_EQ(target.At(3, 2), Coord(1, 3));
  EXPECT_EQ(target.At(1, 0), 7u);
}

TEST(PixelCompose, TilesRunPastTheAreaUntilTheImageEdge) {
  Image source(5, 3), target(12, 6, 7);
  TilePiece(source.view, {1, 1, 4, 3}, target.view, {1, 1, 8, 4});  // 3 x 2 tiles
  EXPECT_EQ(target.At(0, 1), 7u);
  EXPECT_EQ(target.At(1, 1), Coord(1, 1));
  EXPECT_EQ(target.At(4, 2), Coord(1, 2));
  EXPECT_EQ(target.At(9, 3), Coord(3, 1));  // third column of tiles overruns to x = 10
  EXPECT_EQ(target.At(10, 1), 7u);
  EXPECT_EQ(target.At(5, 4), Coord(2, 2));  // the second row of tiles overruns to y = 4
  EXPECT_EQ(target.At(5, 5), 7u);
  TilePiece(source.view, {1, 1, 1, 3}, target.view, {0, 0, 12, 6});  // empty piece: nothing
  EXPECT_EQ(target.At(0, 0), 7u);
}

TEST(PixelCompose, NineSliceRightPiecesCoverTheTileOverrun) {
  // Frame 6 x 1: left margin column 0, middle 1..3, right margin 4..5.
  Image source(6, 1), target(9, 1, 7);
  ComposeNineSlice(source.view, {0, 0, 6, 1}, {1, 0, 2, 0}, true, target.view);
  const int expected[9] = {0, 1, 2, 3, 1, 2, 3, 4, 5};
  for (int x = 0; x < 9; ++x) EXPECT_EQ(target.At(x, 0), Coord(expected[x], 0)) << x;
}

}  // namespace
}  // namespace quonel
