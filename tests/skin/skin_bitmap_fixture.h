// Bitmaps with known pixels for the drawing tests, and a 24-bit canvas to
// draw on and read back.
#pragma once
#include <functional>

#include "skin/gdi/skin_bitmap.h"

namespace quonel::testing {

// A 24-bit bitmap whose pixel (x, y) is colour(x, y), red lowest.
inline SkinBitmap MakeBitmap(int width, int height, const std::function<TColor(int, int)>& colour) {
  SkinBitmap bitmap = SkinBitmap::Create(width, height, 24);
  const PixelView view = bitmap.Pixels();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const TColor c = colour(x, y);
      WritePixelValue(view, x, y, static_cast<uint32_t>(BlueOf(c) | GreenOf(c) << 8 | RedOf(c) << 16));
    }
  return bitmap;
}

// A destination bitmap filled with one colour, selected into a DC.
struct Canvas {
  SkinBitmap bitmap;
  BitmapDc dc;
  Canvas(int width, int height, TColor background)
      : bitmap(MakeBitmap(width, height, [=](int, int) { return background; })), dc(bitmap) {}
  HDC Dc() const { return dc.Get(); }
  TColor At(int x, int y) const { return bitmap.Pixel(x, y); }
};

}  // namespace quonel::testing
