// Decoding speed in MB/s of decoded output, the median of several runs each
// long enough for the clock to be trusted: of a skin archive, and of a
// photo-like 24-bit image, where literals outweigh matches.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lzh_encoder.h"
#include "skin/archive/lzh.h"

namespace {

std::string Measure(const std::string& stream, int runs) {
  const auto* p = reinterpret_cast<const uint8_t*>(stream.data());
  const auto size = static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
  using Clock = std::chrono::steady_clock;
  std::vector<double> speeds;
  for (int run = 0; run < runs; ++run) {
    const Clock::time_point start = Clock::now();
    double decoded = 0, seconds = 0;
    do {
      decoded += static_cast<double>(quonel::TLZH::Decode(std::string_view(stream).substr(4), size).size());
      seconds = std::chrono::duration<double>(Clock::now() - start).count();
    } while (seconds < 0.2);
    speeds.push_back(decoded / seconds / 1e6);
  }
  std::sort(speeds.begin(), speeds.end());
  char line[160];
  std::snprintf(line, sizeof line, "%.1f MB/s median of %d runs (%.1f .. %.1f), %d bytes from %zu", speeds[speeds.size() / 2],
                runs, speeds.front(), speeds.back(), size, stream.size());
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: skin_decode_bench SKIN [RUNS]\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const std::string stream = bytes.str();
  if (!in || stream.size() < 4) {
    std::fprintf(stderr, "skin_decode_bench: cannot read %s\n", argv[1]);
    return 1;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;

  std::printf("skin archive: %s\n", Measure(stream, runs).c_str());
  // 512 x 512 pixels of smooth gradients with a little noise, as a bitmap's
  // pixel rows would be.
  std::string image;
  uint32_t noise = 1;
  for (int y = 0; y < 512; ++y) {
    for (int x = 0; x < 512; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int jitter = static_cast<int>((noise >> 16) % 5) - 2;
      image += static_cast<char>(std::clamp(x / 2 + jitter, 0, 255));
      image += static_cast<char>(std::clamp(y / 2 + jitter, 0, 255));
      image += static_cast<char>(std::clamp((x + y) / 4 + jitter, 0, 255));
    }
  }
  std::printf("24-bit image: %s\n", Measure(quonel::skinpack::LzhEncode(image), runs).c_str());
  return 0;
}
