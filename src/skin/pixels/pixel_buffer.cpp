#include "skin/pixels/pixel_buffer.h"

#include <cstring>

namespace quonel {

int DibStride(int width, int bitsPerPixel) {
  return static_cast<int>(((static_cast<int64_t>(width) * bitsPerPixel + 31) / 32) * 4);
}

uint32_t ReadPixelValue(const PixelView& v, int x, int y) {
  const uint8_t* row = v.Row(y);
  switch (v.bitsPerPixel) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
    case 8: return row[x];
    case 16: return row[2 * x] | (row[2 * x + 1] << 8);
    case 24: return row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
    case 32: {
      uint32_t value;
      std::memcpy(&value, row + 4 * x, 4);
      return value;
    }
  }
  return 0;
}

void WritePixelValue(const PixelView& v, int x, int y, uint32_t value) {
  uint8_t* row = v.Row(y);
  switch (v.bitsPerPixel) {
    case 1: {
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
      row[x / 8] = static_cast<uint8_t>((row[x / 8] & ~bit) | (value & 1 ? bit : 0));
      break;
    }
    case 4: {
      const int shift = x % 2 ? 0 : 4;
      row[x / 2] = static_cast<uint8_t>((row[x / 2] & ~(0xF << shift)) | ((value & 0xF) << shift));
      break;
    }
    case 8: row[x] = static_cast<uint8_t>(value); break;
    case 16:
      row[2 * x] = static_cast<uint8_t>(value);
      row[2 * x + 1] = static_cast<uint8_t>(value >> 8);
      break;
    case 24:
      row[3 * x] = static_cast<uint8_t>(value);
      row[3 * x + 1] = static_cast<uint8_t>(value >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(value >> 16);
      break;
    case 32: std::memcpy(row + 4 * x, &value, 4); break;
  }
}

namespace {
// Blue-green-red bytes (blue lowest) to a colour with red lowest.
TColor FromBgr(uint32_t bgr) { return MakeColour((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF); }
uint32_t ToBgr(TColor colour) {
  return static_cast<uint32_t>(BlueOf(colour) | (GreenOf(colour) << 8) | (RedOf(colour) << 16));
}
}  // namespace

TColor PixelColour(const PixelView& v, const std::vector<uint32_t>& palette, int x, int y) {
  const uint32_t value = ReadPixelValue(v, x, y);
  if (v.bitsPerPixel <= 8) return value < palette.size() ? FromBgr(palette[value]) : clBlack;
  if (v.bitsPerPixel == 16) {
    // 5-5-5 with each channel widened by repeating its top bits.
    auto widen = [](uint32_t five) { return static_cast<int>((five << 3) | (five >> 2)); };
    return MakeColour(widen((value >> 10) & 31), widen((value >> 5) & 31), widen(value & 31));
  }
  return FromBgr(value & 0xFFFFFF);
}

void MirrorPixels(const PixelView& s, const PixelView& d) {
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) WritePixelValue(d, x, y, ReadPixelValue(s, s.width - 1 - x, y));
}

void FlipPixels(const PixelView& s, const PixelView& d) {
  const size_t rowBytes = static_cast<size_t>(s.stride);
  for (int y = 0; y < s.height; ++y) std::memcpy(d.Row(s.height - 1 - y), s.Row(y), rowBytes);
}

void ConvertTo24(const PixelView& s, const std::vector<uint32_t>& palette, const PixelView& d) {
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) WritePixelValue(d, x, y, ToBgr(PixelColour(s, palette, x, y)));
}

void GrayscalePixels24(const PixelView& v) {
  for (int y = 0; y < v.height; ++y) {
    uint8_t* p = v.Row(y);
    for (int x = 0; x < v.width; ++x, p += 3) {
      const uint8_t grey = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
      p[0] = p[1] = p[2] = grey;
    }
  }
}

void RecolorMagentaPixels24(const PixelView& v, TColor colour) {
  for (int y = 0; y < v.height; ++y) {
    uint8_t* p = v.Row(y);
    for (int x = 0; x < v.width; ++x, p += 3) {
      if (p[0] == 255 && p[1] == 0 && p[2] == 255) {
        p[0] = static_cast<uint8_t>(BlueOf(colour));
        p[1] = static_cast<uint8_t>(GreenOf(colour));
        p[2] = static_cast<uint8_t>(RedOf(colour));
      }
    }
  }
}

std::vector<uint8_t> KeyMaskBits(const PixelView& v, const std::vector<uint32_t>& palette, TColor key, int width,
                                 int height) {
  const int stride = ((width + 15) / 16) * 2;
  std::vector<uint8_t> mask(static_cast<size_t>(stride) * height, 0);
  const TColor wanted = key & 0xFFFFFF;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (PixelColour(v, palette, x, y) == wanted) mask[static_cast<size_t>(y) * stride + x / 8] |= 0x80 >> (x % 8);
  return mask;
}

namespace {
// Source pixel (x, y), y counted from the top, of a bottom-up 32-bit buffer.
const uint8_t* Source32(const std::vector<uint8_t>& buffer, int width, int height, int x, int y) {
  return buffer.data() + (static_cast<size_t>(height - 1 - y) * width + x) * 4;
}
void Put24(const PixelView& d, int x, int y, const uint8_t* bgra) {
  uint8_t* p = d.Row(y) + 3 * x;
  p[0] = bgra[0];
  p[1] = bgra[1];
  p[2] = bgra[2];
}
}  // namespace

void RotateLeftFrom32(const std::vector<uint8_t>& buffer, int width, int height, const PixelView& d) {
  // Result is height wide and width high; (x', y') comes from (width-1-y', x').
  for (int y = 0; y < width; ++y)
    for (int x = 0; x < height; ++x) Put24(d, x, y, Source32(buffer, width, height, width - 1 - y, x));
}

void RotateRightFrom32(const std::vector<uint8_t>& buffer, int width, int height, const PixelView& d) {
  // (x', y') comes from (y', height-1-x').
  for (int y = 0; y < width; ++y)
    for (int x = 0; x < height; ++x) Put24(d, x, y, Source32(buffer, width, height, y, height - 1 - x));
}

}  // namespace quonel
