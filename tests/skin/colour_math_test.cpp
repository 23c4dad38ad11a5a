#include "skin/pixels/colour_math.h"

#include <gtest/gtest.h>

#include "skin/pixels/gradient.h"

namespace quonel {
namespace {

uint32_t FakeSystemColours(int index) { return index == 15 ? 0x102030 : 0xFFFFFF; }

TEST(BlendColors, WeightBelowHundredIsPercentOfFirstColour) {
  // 50 %: the rounded average, per channel.
  EXPECT_EQ(BlendColors(0x000000, 0xFFFFFF, 50, FakeSystemColours), 0x808080);
  EXPECT_EQ(BlendColors(MakeColour(10, 20, 31), MakeColour(0, 0, 0), 50, FakeSystemColours), MakeColour(5, 10, 16));
}

TEST(BlendColors, WeightFromHundredIsPerMille) {
  // 150 = 15 % of c1 and 85 % of c2: (0*850 + 200*150 + 500) / 1000 = 30.
  EXPECT_EQ(BlendColors(MakeColour(200, 0, 100), MakeColour(0, 200, 100), 150, FakeSystemColours),
            MakeColour(30, 170, 100));
}

TEST(BlendColors, SystemColourIsResolvedFirst) {
  EXPECT_EQ(BlendColors(SystemColour(15), 0x102030, 50, FakeSystemColours), 0x102030);
  EXPECT_EQ(BlendColors(0x000000, SystemColour(15), 0, FakeSystemColours), 0x102030);
}

TEST(ColorSaturation, BrightColoursGiveRoundedSaturation) {
  EXPECT_EQ(ColorSaturation(MakeColour(255, 0, 0)), 255);
  EXPECT_EQ(ColorSaturation(MakeColour(200, 200, 200)), 0);
  // (200-100)/200 * 255 = 127.5: half to even.
  EXPECT_EQ(ColorSaturation(MakeColour(200, 100, 100)), 128);
  EXPECT_EQ(ColorSaturation(MakeColour(160, 40, 40)), 191);
}

TEST(ColorSaturation, DullColoursGiveTwoHundred) {
  EXPECT_EQ(ColorSaturation(MakeColour(159, 0, 0)), 200);
  EXPECT_EQ(ColorSaturation(0), 200);
}

TEST(GradientTable, OneBandIsTheMidpoint) {
  std::vector<TColor> table;
  FillGradientTable(table, 1, MakeColour(0, 100, 255), MakeColour(255, 0, 0));
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0], MakeColour(127, 50, 128));
}

TEST(GradientTable, RisingChannelsReachTheEndFallingOnesStopShort) {
  std::vector<TColor> table;
  FillGradientTable(table, 4, MakeColour(0, 30, 0), MakeColour(10, 20, 0));
  ASSERT_EQ(table.size(), 4u);
  // m = 3, h = 1: red (1 + 10i) div 3, green 30 + (1 - 10i) div 3 truncating.
  EXPECT_EQ(table[0], MakeColour(0, 30, 0));
  EXPECT_EQ(table[1], MakeColour(3, 27, 0));
  EXPECT_EQ(table[2], MakeColour(7, 24, 0));
  EXPECT_EQ(table[3], MakeColour(10, 21, 0));
}

TEST(GradientTable, CacheReusesEqualTablesAndCyclesSixteenSlots) {
  GradientTableCache cache;
  const int first = cache.GetGradientTable(40, 0x000000, 0xFFFFFF);
  EXPECT_EQ(cache.GetGradientTable(40, 0x000000, 0xFFFFFF), first);
  EXPECT_NE(cache.GetGradientTable(41, 0x000000, 0xFFFFFF), first);
  // A falling gradient is found again although its last entry is not the end.
  const int falling = cache.GetGradientTable(4, 0x00001E, 0x000014);
  EXPECT_EQ(cache.GetGradientTable(4, 0x00001E, 0x000014), falling);
  for (int i = 0; i < GradientTableCache::kSlots - 3; ++i) cache.GetGradientTable(100 + i, 0, 0);
  // Sixteen new tables later the first slot is handed out again.
  EXPECT_EQ(cache.GetGradientTable(7, 1, 2), first);
  EXPECT_EQ(cache.Table(first).size(), 7u);
}

TEST(GradientBands, ClipBoxLimitsTheBands) {
  const Rect rect{0, 10, 50, 50};
  BandRange all = GradientBands(rect, {0, 0, 100, 100}, true);
  EXPECT_EQ(all.count, 40);
  EXPECT_EQ(all.first, 0);
  EXPECT_EQ(all.last, 39);
  BandRange clipped = GradientBands(rect, {0, 20, 100, 30}, true);
  EXPECT_EQ(clipped.first, 10);
  EXPECT_EQ(clipped.last, 19);
  BandRange columns = GradientBands(rect, {5, 0, 20, 100}, false);
  EXPECT_EQ(columns.count, 50);
  EXPECT_EQ(columns.first, 5);
  EXPECT_EQ(columns.last, 19);
  EXPECT_EQ(GradientBands({0, 10, 50, 10}, {0, 0, 100, 100}, true).count, 0);
}

}  // namespace
}  // namespace quonel
