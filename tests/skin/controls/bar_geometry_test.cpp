// The arithmetic of the skinned bars and tab bands: the progress fill kept
// within the bar, the track channel's image and where tabs land in a band
// that is turned afterwards.
#include <gtest/gtest.h>

#include "skin/controls/bars/bar_geometry.h"
#include "skin/controls/tabs/tab_band_geometry.h"

namespace quonel {
namespace {

TEST(ProgressFill, IsTheShareOfTheLimitAndStaysWithinTheBar) {
  EXPECT_EQ(100, ProgressFillLength(200, 50, 100));
  EXPECT_EQ(67, ProgressFillLength(200, 1, 3));  // rounded to nearest
  EXPECT_EQ(200, ProgressFillLength(200, 100, 100));
  EXPECT_EQ(200, ProgressFillLength(200, 150, 100));
  EXPECT_EQ(0, ProgressFillLength(200, 5, 0));
  EXPECT_EQ(0, ProgressFillLength(200, -10, -50));
  EXPECT_EQ(0, ProgressFillLength(200, -10, 100));
  EXPECT_EQ(0, ProgressFillLength(0, 50, 100));
  // A long bar and a large position do not wrap.
  EXPECT_EQ(15000, ProgressFillLength(30000, 1000000000, 2000000000));
}

TEST(TrackChannel, ANarrowImageIsCentredAcrossTheChannel) {
  EXPECT_EQ((Rect{10, 12, 200, 16}), TrackChannelImageRect({10, 10, 200, 18}, 16, 4, false));
  EXPECT_EQ((Rect{10, 10, 200, 18}), TrackChannelImageRect({10, 10, 200, 18}, 16, 30, false));
  EXPECT_EQ((Rect{12, 10, 16, 200}), TrackChannelImageRect({10, 10, 18, 200}, 4, 16, true));
}

TEST(TabBand, SideDisplayAreaAndBand) {
  EXPECT_EQ(TabSide::Top, TabSideFromStyle(0));
  EXPECT_EQ(TabSide::Bottom, TabSideFromStyle(0x02));
  EXPECT_EQ(TabSide::Left, TabSideFromStyle(0x80 | 0x200));
  EXPECT_EQ(TabSide::Right, TabSideFromStyle(0x82));
  const Rect display = SkinDisplayArea({4, 30, 296, 156}, TabSide::Top);
  EXPECT_EQ((Rect{0, 27, 300, 160}), display);
  EXPECT_EQ((Rect{0, 0, 300, 27}), TabBandRect({0, 0, 300, 160}, display, TabSide::Top));
  EXPECT_EQ((Rect{2, 3, 72, 28}), TabRectInBand({2, 2, 72, 27}, {0, 0, 300, 27}, display, TabSide::Top));
  const Rect bottom = SkinDisplayArea({4, 4, 296, 130}, TabSide::Bottom);
  EXPECT_EQ((Rect{2, 0, 72, 25}), TabRectInBand({2, 134, 72, 159}, {0, 133, 300, 160}, bottom, TabSide::Bottom));
}

TEST(TabBand, TurnedBandsPutTheTabsBackWhereThePlatformHasThem) {
  // A left band 30 wide and 160 high, composed 160 wide and 30 high: the
  // tab at the top of the control lands at the right end of the lying band,
  // its outer edge (client x = 0) at the band's top.
  const Rect left{0, 0, 30, 160};
  EXPECT_EQ((BandSize{160, 30}), ComposedBandSize(left, TabSide::Left));
  EXPECT_EQ((Rect{150 - 60, 2, 150, 28}), TabRectInBand({2, 10, 28, 70}, left, {}, TabSide::Left));
  // A right band at x 270: the tab at the top lands at the left end, its
  // outer edge (client x = 298) at the band's top.
  const Rect right{270, 0, 300, 160};
  EXPECT_EQ((Rect{10, 2, 70, 28}), TabRectInBand({272, 10, 298, 70}, right, {}, TabSide::Right));
  EXPECT_EQ((Rect{92, 2, 98, 8}), TabCloseBox({20, 0, 100, 24}));
  EXPECT_TRUE(RectContains({92, 2, 98, 8}, 92, 2));
  EXPECT_FALSE(RectContains({92, 2, 98, 8}, 98, 5));
}

}  // namespace
}  // namespace quonel
