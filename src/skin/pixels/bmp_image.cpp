#include "skin/pixels/bmp_image.h"

#include "core/little_endian.h"

#include <cstring>

#include "skin/pixels/pixel_buffer.h"

namespace quonel {

namespace {


constexpr size_t kFileHeader = 14;
constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = 16 * 1024 * 1024;

}  // namespace

std::optional<BmpImage> DecodeBmp(std::string_view file) {
  if (file.size() < kFileHeader + 40 || file[0] != 'B' || file[1] != 'M') return std::nullopt;
  const uint32_t offBits = ReadLittleEndian32(file, 10);
  const uint32_t infoSize = ReadLittleEndian32(file, kFileHeader);
  if (infoSize < 40 || infoSize > file.size() - kFileHeader) return std::nullopt;
  const int32_t width = static_cast<int32_t>(ReadLittleEndian32(file, 18));
  const int32_t rawHeight = static_cast<int32_t>(ReadLittleEndian32(file, 22));
  const uint16_t planes = ReadLittleEndian16(file, 26);
  const uint16_t bpp = ReadLittleEndian16(file, 28);
  const uint32_t compression = ReadLittleEndian32(file, 30);
  const uint32_t coloursUsed = ReadLittleEndian32(file, 46);
  if (planes != 1 || compression != 0) return std::nullopt;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
  if (rawHeight == INT32_MIN) return std::nullopt;
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
      static_cast<int64_t>(width) * height > kMaxPixels)
    return std::nullopt;

  BmpImage image;
  image.width = width;
  image.height = height;
  image.bitsPerPixel = bpp;
  const size_t paletteAt = kFileHeader + infoSize;
  if (bpp <= 8) {
    const uint32_t full = 1u << bpp;
    const uint32_t entries = coloursUsed == 0 || coloursUsed > full ? full : coloursUsed;
    if (paletteAt + entries * 4ull > file.size()) return std::nullopt;
    image.palette.resize(entries);
    for (uint32_t i = 0; i < entries; ++i) image.palette[i] = ReadLittleEndian32(file, paletteAt + 4 * i) & 0xFFFFFF;
  }
  const size_t stride = static_cast<size_t>(DibStride(width, bpp));
  const size_t dataSize = stride * static_cast<size_t>(height);
  if (offBits < paletteAt + image.palette.size() * 4 || offBits > file.size() || file.size() - offBits < dataSize)
    return std::nullopt;
  image.bits.resize(dataSize);
  for (int y = 0; y < height; ++y) {
    const size_t sourceRow = topDown ? y : height - 1 - y;
    std::memcpy(image.bits.data() + y * stride, file.data() + offBits + sourceRow * stride, stride);
  }
  return image;
}

}  // namespace quonel
