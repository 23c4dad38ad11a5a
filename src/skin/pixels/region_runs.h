// The opaque runs of a 32-bit pixel buffer: what a window region made from
// a skin bitmap consists of.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/pixels/colour_math.h"
#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

struct KeyTolerance {
  TColor key = clMagenta;
  int blue = 1, green = 1, red = 1;
};

// True when every channel lies in [key, min(255, key + tolerance)].
bool IsKeyPixel(uint8_t blue, uint8_t green, uint8_t red, const KeyTolerance& tolerance);

// Scans a top-down buffer of blue, green, red, reserved bytes row by row and
// returns one rectangle one pixel high per run of non-key pixels, moved by
// (dx, dy).
std::vector<Rect> OpaqueRuns(const uint8_t* bgra, int width, int height, int stride,
                             const KeyTolerance& tolerance, int dx, int dy);

}  // namespace quonel
