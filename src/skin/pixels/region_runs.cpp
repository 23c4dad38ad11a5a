#include "skin/pixels/region_runs.h"

#include <algorithm>

namespace quonel {

bool IsKeyPixel(uint8_t blue, uint8_t green, uint8_t red, const KeyTolerance& t) {
  auto inside = [](int value, int key, int tolerance) {
    return value >= key && value <= std::min(255, key + tolerance);
  };
  return inside(red, RedOf(t.key), t.red) && inside(green, GreenOf(t.key), t.green) &&
         inside(blue, BlueOf(t.key), t.blue);
}

std::vector<Rect> OpaqueRuns(const uint8_t* bgra, int width, int height, int stride, const KeyTolerance& t,
                             int dx, int dy) {
  std::vector<Rect> runs;
  runs.reserve(500);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = bgra + static_cast<size_t>(y) * stride;
    int x = 0;
    while (x < width) {
      while (x < width && IsKeyPixel(row[4 * x], row[4 * x + 1], row[4 * x + 2], t)) ++x;
      const int start = x;
      while (x < width && !IsKeyPixel(row[4 * x], row[4 * x + 1], row[4 * x + 2], t)) ++x;
      if (x > start) runs.push_back({start + dx, y + dy, x + dx, y + dy + 1});
    }
  }
  return runs;
}

}  // namespace quonel
