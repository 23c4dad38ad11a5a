// Controls measure themselves in hundredths of a millimetre (2540 to the
// inch); windows are placed in pixels of a screen with a given resolution.
#pragma once
#include <cstdint>

namespace quonel {

inline constexpr int kHimetricPerInch = 2540;

// Rounded to the nearest pixel, as MulDiv rounds.
constexpr int HimetricToPixels(int himetric, int pixelsPerInch) {
  const int64_t scaled = int64_t{himetric} * pixelsPerInch;
  const int64_t half = kHimetricPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kHimetricPerInch : -((-scaled + half) / kHimetricPerInch));
}

constexpr int PixelsToHimetric(int pixels, int pixelsPerInch) {
  if (pixelsPerInch <= 0) return 0;
  const int64_t scaled = int64_t{pixels} * kHimetricPerInch;
  const int64_t half = pixelsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / pixelsPerInch : -((-scaled + half) / pixelsPerInch));
}

static_assert(HimetricToPixels(10610, 96) == 401 && HimetricToPixels(2117, 96) == 80);
static_assert(HimetricToPixels(10610, 120) == 501 && HimetricToPixels(2117, 120) == 100);

}  // namespace quonel
