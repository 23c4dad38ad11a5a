// Writes 24-bit RGB pixels as a PNG file, so that window tests leave a
// screenshot a person can open. Uncompressed deflate blocks keep it small.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quonel::testing {

// rgb holds width * height * 3 bytes, rows from the top.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);
bool WritePngFile(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace quonel::testing
