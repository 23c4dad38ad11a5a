#include "skin/pixels/nine_slice_geometry.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

TEST(FrameOf, SurplusColumnsAreNeverUsed) {
  // 50 wide, 3 frames: frames of 16, columns 48 and 49 are unused.
  const FrameCell third = FrameOf(50, 10, false, 3, 3);
  EXPECT_EQ(third.x, 32);
  EXPECT_EQ(third.width, 16);
  EXPECT_EQ(third.height, 10);
  const FrameCell vertical = FrameOf(88, 48, true, 2, 2);
  EXPECT_EQ(vertical.y, 24);
  EXPECT_EQ(vertical.height, 24);
  EXPECT_EQ(vertical.width, 88);
  EXPECT_EQ(FrameOf(10, 10, false, 0, 1).width, 10);
}

TEST(NineSlice, FittingMarginsGiveNinePiecesInDrawingOrder) {
  const FrameCell frame{20, 0, 20, 10};
  const auto pieces = NineSlicePieces(100, 30, frame, {2, 3, 4, 1}, false);
  ASSERT_EQ(pieces.size(), 9u);
  EXPECT_EQ(pieces[0].dest, (Rect{0, 0, 2, 3}));        // top-left
  EXPECT_EQ(pieces[0].source, (Rect{20, 0, 22, 3}));
  EXPECT_EQ(pieces[1].dest, (Rect{0, 29, 2, 30}));      // bottom-left
  EXPECT_EQ(pieces[2].dest, (Rect{96, 0, 100, 3}));     // top-right
  EXPECT_EQ(pieces[2].source, (Rect{36, 0, 40, 3}));
  EXPECT_EQ(pieces[3].dest, (Rect{0, 3, 2, 29}));       // left edge
  EXPECT_EQ(pieces[4].dest, (Rect{2, 0, 96, 3}));       // top edge
  EXPECT_EQ(pieces[5].dest, (Rect{2, 3, 96, 29}));      // centre
  EXPECT_EQ(pieces[5].source, (Rect{22, 3, 36, 9}));
  EXPECT_EQ(pieces[6].dest, (Rect{96, 29, 100, 30}));   // bottom-right
  EXPECT_EQ(pieces[7].dest, (Rect{96, 3, 100, 29}));    // right edge
  EXPECT_EQ(pieces[8].dest, (Rect{2, 29, 96, 30}));     // bottom edge
  EXPECT_EQ(pieces[8].source, (Rect{22, 9, 36, 10}));
}

TEST(NineSlice, NarrowTargetCollapsesOnlyTheHorizontalMargins) {
  const auto pieces = NineSlicePieces(5, 30, {0, 0, 20, 10}, {3, 2, 3, 2}, true);
  // Left and right are 0: top edge, centre, bottom edge remain, full width.
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].dest, (Rect{0, 0, 5, 2}));
  EXPECT_EQ(pieces[0].source, (Rect{0, 0, 20, 2}));
  EXPECT_EQ(pieces[1].dest, (Rect{0, 2, 5, 28}));
  EXPECT_TRUE(pieces[1].tiled);
  EXPECT_EQ(pieces[2].dest, (Rect{0, 28, 5, 30}));
}

TEST(ThreeSlice, FixedEndsAndStretchedMiddle) {
  const auto pieces = ThreeSlicePieces({10, 5, 110, 25}, {30, 0, 30, 8}, {4, 0, 6, 0});
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].dest, (Rect{10, 5, 14, 25}));
  EXPECT_EQ(pieces[0].source, (Rect{30, 0, 34, 8}));
  EXPECT_EQ(pieces[1].dest, (Rect{14, 5, 104, 25}));
  EXPECT_EQ(pieces[1].source, (Rect{34, 0, 54, 8}));
  EXPECT_EQ(pieces[2].dest, (Rect{104, 5, 110, 25}));
  EXPECT_EQ(pieces[2].source, (Rect{54, 0, 60, 8}));
}

TEST(ThreeSlice, FrameWiderThanTargetIsStretchedWhole) {
  const auto pieces = ThreeSlicePieces({0, 0, 20, 10}, {30, 0, 30, 8}, {4, 0, 6, 0});
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].source, (Rect{30, 0, 60, 8}));
  EXPECT_EQ(pieces[0].dest, (Rect{0, 0, 20, 10}));
}

TEST(TiledThreeSlice, MiddleRepeatsAndRightMarginComesLast) {
  const auto pieces = TiledThreeSlicePieces(20, 6, {0, 0, 10, 4}, {2, 0, 3, 0});
  // Middle is 5 wide: at 2, 7 and 12 (12 < 17), then the right margin at 17.
  ASSERT_EQ(pieces.size(), 5u);
  EXPECT_EQ(pieces[1].dest, (Rect{2, 0, 7, 6}));
  EXPECT_EQ(pieces[3].dest, (Rect{12, 0, 17, 6}));
  EXPECT_EQ(pieces[4].dest, (Rect{17, 0, 20, 6}));
  EXPECT_EQ(pieces[4].source, (Rect{7, 0, 10, 4}));
}

TEST(TiledThreeSlice, MiddleWithoutWidthDoesNotLoop) {
  const auto pieces = TiledThreeSlicePieces(100, 6, {0, 0, 5, 4}, {3, 0, 2, 0});
  EXPECT_EQ(pieces.size(), 2u);
}

TEST(TilePositions, ColumnsOfRowsThatMayOverrun) {
  const auto points = TilePositions({0, 0, 5, 3}, 2, 2);
  const std::vector<Point> expected{{0, 0}, {0, 2}, {2, 0}, {2, 2}, {4, 0}, {4, 2}};
  EXPECT_EQ(points, expected);
  EXPECT_TRUE(TilePositions({0, 0, 5, 3}, 0, 2).empty());
  EXPECT_TRUE(TilePositions({0, 0, 5, 3}, -1, 2).empty());
}

TEST(CentredOrigin, LargerImageOverhangsEvenly) {
  EXPECT_EQ(CentredOrigin({10, 10, 20, 20}, 4, 6), (Point{13, 12}));
  // (10 - 15) / 2 truncates to -2 and (10 - 14) / 2 = -2.
  EXPECT_EQ(CentredOrigin({10, 10, 20, 20}, 15, 14), (Point{8, 8}));
}

}  // namespace
}  // namespace quonel
