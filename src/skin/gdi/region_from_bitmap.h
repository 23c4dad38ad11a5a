// A window region made of a bitmap's non-key pixels.
#pragma once
#include "skin/pixels/region_runs.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

// Every run of pixels outside [key, key + tolerance] per channel, moved by
// (x, y). An empty bitmap gives an empty region.
OwnedRegion RegionFromBitmap(const SkinBitmap& bitmap, int x, int y, int toleranceBlue, int toleranceGreen,
                              int toleranceRed, TColor key);

}  // namespace quonel
