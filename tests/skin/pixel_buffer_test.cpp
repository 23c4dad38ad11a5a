#include "skin/pixels/pixel_buffer.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

struct Buffer {
  std::vector<uint8_t> bytes;
  PixelView view;
  Buffer(int width, int height, int bpp) {
    view.width = width;
    view.height = height;
    view.bitsPerPixel = bpp;
    view.stride = DibStride(width, bpp);
    bytes.assign(static_cast<size_t>(view.stride) * height, 0);
    view.bits = bytes.data();
  }
};

TEST(PixelBuffer, MirrorAndFlipKeepPackedFormats) {
  for (int bpp : {1, 4, 8, 24, 32}) {
    Buffer source(5, 3, bpp), mirrored(5, 3, bpp), flipped(5, 3, bpp);
    const uint32_t mask = bpp >= 24 ? 0xFFFFFF : (1u << bpp) - 1;
    auto value = [&](int x, int y) { return static_cast<uint32_t>(x * 7 + y * 3 + 1) & mask; };
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) WritePixelValue(source.view, x, y, value(x, y));
    MirrorPixels(source.view, mirrored.view);
    FlipPixels(source.view, flipped.view);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(ReadPixelValue(mirrored.view, x, y), value(4 - x, y)) << bpp << " bits";
        EXPECT_EQ(ReadPixelValue(flipped.view, x, 2 - y), value(x, y)) << bpp << " bits";
      }
  }
}

TEST(PixelBuffer, RotationsMoveEveryPixel) {
  // Source 3 wide, 2 high, bottom-up 32-bit; pixel (x, y) has blue = 10y + x.
  const int w = 3, h = 2;
  std::vector<uint8_t> source(w * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) source[((h - 1 - y) * w + x) * 4] = static_cast<uint8_t>(10 * y + x);
  Buffer left(h, w, 24), right(h, w, 24);
  RotateLeftFrom32(source, w, h, left.view);
  RotateRightFrom32(source, w, h, right.view);
  for (int y = 0; y < w; ++y)
    for (int x = 0; x < h; ++x) {
      EXPECT_EQ(ReadPixelValue(left.view, x, y), static_cast<uint32_t>(10 * x + (w - 1 - y)));
      EXPECT_EQ(ReadPixelValue(right.view, x, y), static_cast<uint32_t>(10 * (h - 1 - x) + y));
    }
}

TEST(PixelBuffer, PaletteAnd555PixelsBecomeColours) {
  Buffer four(3, 1, 4);
  WritePixelValue(four.view, 1, 0, 2);
  WritePixelValue(four.view, 2, 0, 9);  // beyond the palette: black
  // Entries are stored blue lowest: 0xFF0000 is red.
  const std::vector<uint32_t> palette{0x000000, 0xFFFFFF, 0xFF0000};
  Buffer out(3, 1, 24);
  ConvertTo24(four.view, palette, out.view);
  EXPECT_EQ(PixelColour(out.view, {}, 0, 0), 0x000000);
  EXPECT_EQ(PixelColour(out.view, {}, 1, 0), MakeColour(255, 0, 0));
  EXPECT_EQ(PixelColour(out.view, {}, 2, 0), 0x000000);
  Buffer sixteen(1, 1, 16);
  WritePixelValue(sixteen.view, 0, 0, (31u << 10) | (0u << 5) | 16u);
  EXPECT_EQ(PixelColour(sixteen.view, {}, 0, 0), MakeColour(255, 0, 132));
}

TEST(PixelBuffer, GrayscaleAndMagentaRecolour) {
  Buffer image(2, 1, 24);
  WritePixelValue(image.view, 0, 0, 0xFF00FF);  // magenta
  WritePixelValue(image.view, 1, 0, 0xFE00FF);  // nearly magenta: kept
  RecolorMagentaPixels24(image.view, MakeColour(1, 2, 3));
  EXPECT_EQ(PixelColour(image.view, {}, 0, 0), MakeColour(1, 2, 3));
  EXPECT_EQ(ReadPixelValue(image.view, 1, 0), 0xFE00FFu);
  GrayscalePixels24(image.view);
  EXPECT_EQ(PixelColour(image.view, {}, 0, 0), MakeColour(2, 2, 2));
  EXPECT_EQ(ReadPixelValue(image.view, 1, 0), 0xA9A9A9u);  // (254 + 0 + 255) / 3
}

}  // namespace
}  // namespace quonel
