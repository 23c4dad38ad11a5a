#include "skin/pixels/region_runs.h"

#include <gtest/gtest.h>

#include <functional>

namespace quonel {
namespace {

std::vector<uint8_t> Image(int width, int height, const std::function<TColor(int, int)>& colour) {
  std::vector<uint8_t> bytes(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const TColor c = colour(x, y);
      uint8_t* p = &bytes[(static_cast<size_t>(y) * width + x) * 4];
      p[0] = static_cast<uint8_t>(BlueOf(c));
      p[1] = static_cast<uint8_t>(GreenOf(c));
      p[2] = static_cast<uint8_t>(RedOf(c));
    }
  return bytes;
}

TEST(OpaqueRuns, MagentaCornersAreCutOut) {
  // 6 x 3: the two top corners and the bottom-right pixel are magenta.
  auto bytes = Image(6, 3, [](int x, int y) {
    const bool key = (y == 0 && (x == 0 || x == 5)) || (y == 2 && x == 5);
    return key ? clMagenta : clWhite;
  });
  const auto runs = OpaqueRuns(bytes.data(), 6, 3, 24, KeyTolerance{}, 10, 20);
  const std::vector<Rect> expected{{11, 20, 15, 21}, {10, 21, 16, 22}, {10, 22, 15, 23}};
  EXPECT_EQ(runs, expected);
}

TEST(OpaqueRuns, ToleranceReachesAboveTheKeyOnly) {
  // 254 red is below the key and stays opaque; 0x01 green is within tolerance 1.
  auto bytes = Image(4, 1, [](int x, int) {
    const TColor colours[] = {MakeColour(255, 1, 255), MakeColour(254, 0, 255), MakeColour(255, 2, 255), clMagenta};
    return colours[x];
  });
  const auto runs = OpaqueRuns(bytes.data(), 4, 1, 16, KeyTolerance{}, 0, 0);
  const std::vector<Rect> expected{{1, 0, 3, 1}};
  EXPECT_EQ(runs, expected);
  // A key of 255 cannot reach above 255.
  EXPECT_TRUE(IsKeyPixel(255, 0, 255, KeyTolerance{clMagenta, 5, 5, 5}));
}

TEST(OpaqueRuns, AllKeyGivesNoRuns) {
  auto bytes = Image(3, 2, [](int, int) { return clMagenta; });
  EXPECT_TRUE(OpaqueRuns(bytes.data(), 3, 2, 12, KeyTolerance{}, 0, 0).empty());
}

}  // namespace
}  // namespace quonel
