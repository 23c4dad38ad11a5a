// Device-independent pixel rows as the skin bitmaps keep them: top-down,
// rows padded to 4 bytes, 1/4/8 bits per pixel through a colour table,
// 16 bits as 5-5-5, 24 and 32 bits in blue, green, red order. The whole-
// bitmap transforms work here so that they run without a device.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/pixels/colour_math.h"

namespace quonel {

int DibStride(int width, int bitsPerPixel);

struct PixelView {
  uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 24;
  int stride = 0;
  uint8_t* Row(int y) const { return bits + static_cast<size_t>(y) * stride; }
};

// The stored value of a pixel: a colour-table index below 16 bits, else the
// packed bytes (blue lowest).
uint32_t ReadPixelValue(const PixelView& view, int x, int y);
void WritePixelValue(const PixelView& view, int x, int y, uint32_t value);

// The pixel as an RGB colour (red in the low byte); palette entries are
// stored as blue, green, red, reserved.
TColor PixelColour(const PixelView& view, const std::vector<uint32_t>& palette, int x, int y);

// Transforms between views of equal format; mirror and flip need equal
// sizes, the 24-bit writers a 24-bit destination.
void MirrorPixels(const PixelView& source, const PixelView& dest);
void FlipPixels(const PixelView& source, const PixelView& dest);
void ConvertTo24(const PixelView& source, const std::vector<uint32_t>& palette, const PixelView& dest24);
void GrayscalePixels24(const PixelView& view);
void RecolorMagentaPixels24(const PixelView& view, TColor colour);

// A monochrome mask of the top-left width x height pixels, rows padded to
// 16 bits as device bitmaps want them: bit set where the pixel is the key.
std::vector<uint8_t> KeyMaskBits(const PixelView& view, const std::vector<uint32_t>& palette, TColor key,
                                 int width, int height);

// Rotations read a bottom-up 32-bit buffer of the source (as GetDIBits gives
// it) and write a 24-bit destination of swapped size.
void RotateLeftFrom32(const std::vector<uint8_t>& bottomUp32, int width, int height, const PixelView& dest24);
void RotateRightFrom32(const std::vector<uint8_t>& bottomUp32, int width, int height, const PixelView& dest24);

}  // namespace quonel
