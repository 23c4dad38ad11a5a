// Builds .bmp files in memory for tests: 24-bit from a colour function, or
// palettised from an index function.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quonel::testing {

// colour(x, y) returns red in the low byte; rows are stored bottom-up.
std::string MakeBmp24(int width, int height, const std::function<uint32_t(int, int)>& colour);
// A 4 or 8-bit bitmap; palette entries are colours with red in the low byte.
std::string MakeBmpIndexed(int width, int height, int bitsPerPixel, const std::vector<uint32_t>& palette,
                           const std::function<int(int, int)>& index);

}  // namespace quonel::testing
