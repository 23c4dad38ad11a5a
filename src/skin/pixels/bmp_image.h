// Reading a .bmp member of a skin archive into top-down DIB rows. Every
// size is checked against the data before anything is allocated, so a bad
// member yields "no image" instead of a crash.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace quonel {

struct BmpImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 24;
  std::vector<uint32_t> palette;  // blue, green, red, reserved per entry
  std::vector<uint8_t> bits;      // top-down rows, each DibStride bytes
};

// Uncompressed bitmaps of 1, 4, 8, 16 (5-5-5), 24 or 32 bits per pixel
// with a Windows info header (40 bytes or one of its longer versions).
// Anything else, or data shorter than the header promises: nullopt.
std::optional<BmpImage> DecodeBmp(std::string_view file);

}  // namespace quonel
