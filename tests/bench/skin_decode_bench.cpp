// Decoding speed of a skin archive in MB/s of decoded output: the median of
// several runs, each long enough for the clock to be trusted.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "skin/lzh.h"

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
  const auto* p = reinterpret_cast<const uint8_t*>(stream.data());
  const auto size = static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;

  using Clock = std::chrono::steady_clock;
  std::vector<double> speeds;
  size_t checksum = 0;  // keeps the work observable
  for (int run = 0; run < runs; ++run) {
    const Clock::time_point start = Clock::now();
    double decoded = 0, seconds = 0;
    do {
      checksum += quonel::TLZH::Decode(std::string_view(stream).substr(4), size).size();
      decoded += size;
      seconds = std::chrono::duration<double>(Clock::now() - start).count();
    } while (seconds < 0.2);
    speeds.push_back(decoded / seconds / 1e6);
  }
  std::sort(speeds.begin(), speeds.end());
  std::printf("%.1f MB/s median of %d runs (%.1f .. %.1f), %d bytes per decode, %zu compressed\n",
              speeds[speeds.size() / 2], runs, speeds.front(), speeds.back(), size, stream.size());
  return checksum == 0;
}
