// The four 16 × 16 row images of the file list: hourglass (in progress),
// green tick (downloaded), red cross (failed), balloon with "i" (up to date).
#pragma once
#include <array>
#include <cstdint>

namespace quonel {

enum class StateImage { Hourglass = 0, Tick = 1, Cross = 2, Information = 3 };
constexpr int kStateImageCount = 4;
constexpr int kStateImageSize = 16;
// Pixels of this colour are transparent (the image list's mask colour).
constexpr uint32_t kStateImageTransparent = 0xFF00FF;

// Rows from the top, 0xRRGGBB per pixel.
std::array<uint32_t, kStateImageSize * kStateImageSize> StateImagePixels(StateImage image);

}  // namespace quonel
