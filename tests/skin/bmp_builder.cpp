#include "skin/bmp_builder.h"

namespace quonel::testing {

namespace {
void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
}
void Put16(std::string& s, uint16_t v) {
  s.push_back(static_cast<char>(v));
  s.push_back(static_cast<char>(v >> 8));
}
std::string Headers(int width, int height, int bpp, size_t paletteEntries, size_t dataSize) {
  std::string s = "BM";
  const uint32_t offBits = static_cast<uint32_t>(14 + 40 + paletteEntries * 4);
  Put32(s, static_cast<uint32_t>(offBits + dataSize));
  Put32(s, 0);
  Put32(s, offBits);
  Put32(s, 40);
  Put32(s, static_cast<uint32_t>(width));
  Put32(s, static_cast<uint32_t>(height));
  Put16(s, 1);
  Put16(s, static_cast<uint16_t>(bpp));
  Put32(s, 0);
  Put32(s, static_cast<uint32_t>(dataSize));
  Put32(s, 2835);
  Put32(s, 2835);
  Put32(s, static_cast<uint32_t>(paletteEntries));
  Put32(s, 0);
  return s;
}
int Stride(int width, int bpp) { return ((width * bpp + 31) / 32) * 4; }
}  // namespace

std::string MakeBmp24(int width, int height, const std::function<uint32_t(int, int)>& colour) {
  const int stride = Stride(width, 24);
  std::string s = Headers(width, height, 24, 0, static_cast<size_t>(stride) * height);
  for (int y = height - 1; y >= 0; --y) {
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colour(x, y);
      row[3 * x] = static_cast<char>(c >> 16);
      row[3 * x + 1] = static_cast<char>(c >> 8);
      row[3 * x + 2] = static_cast<char>(c);
    }
    s += row;
  }
  return s;
}

std::string MakeBmpIndexed(int width, int height, int bpp, const std::vector<uint32_t>& palette,
                           const std::function<int(int, int)>& index) {
  const int stride = Stride(width, bpp);
  std::string s = Headers(width, height, bpp, palette.size(), static_cast<size_t>(stride) * height);
  for (uint32_t c : palette) Put32(s, ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
  for (int y = height - 1; y >= 0; --y) {
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x) {
      const int v = index(x, y);
      if (bpp == 8) {
        row[x] = static_cast<char>(v);
      } else {
        row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 ? v & 0xF : (v & 0xF) << 4));
      }
    }
    s += row;
  }
  return s;
}

}  // namespace quonel::testing
