#include "support/png_writer.h"

#include <gtest/gtest.h>

namespace quonel::testing {
namespace {

uint32_t BigEndianAt(const std::vector<uint8_t>& bytes, size_t at) {
  return (uint32_t{bytes[at]} << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
}

TEST(PngWriter, HeaderCarriesSizeAndRgbFormat) {
  const std::vector<uint8_t> png = EncodePng(3, 2, std::vector<uint8_t>(3 * 2 * 3, 0x7F));
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(0x89, png[0]);
  EXPECT_EQ('P', png[1]);
  EXPECT_EQ(13u, BigEndianAt(png, 8));
  EXPECT_EQ(3u, BigEndianAt(png, 16));
  EXPECT_EQ(2u, BigEndianAt(png, 20));
  EXPECT_EQ(8, png[24]);
  EXPECT_EQ(2, png[25]);
}

// Rows longer than one stored block must be split; the pixel bytes follow
// the block headers unchanged.
TEST(PngWriter, LargeImageSpansSeveralStoredBlocks) {
  const int width = 200, height = 200;
  std::vector<uint8_t> rgb(width * height * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 7);
  const std::vector<uint8_t> png = EncodePng(width, height, rgb);
  const size_t raw = static_cast<size_t>(height) * (width * 3 + 1);
  const size_t blocks = (raw + 65534) / 65535;
  // signature + IHDR + IDAT(zlib 2 + 5/block + raw + adler 4) + IEND
  EXPECT_EQ(8 + 25 + 12 + 2 + blocks * 5 + raw + 4 + 12, png.size());
}

}  // namespace
}  // namespace quonel::testing
