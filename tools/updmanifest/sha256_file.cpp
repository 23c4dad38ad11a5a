#include <fstream>
#include <stdexcept>
#include <vector>

#include "sha256.h"

namespace quonel::updmanifest {

std::string HexDigest(const std::array<uint8_t, 32>& digest) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const uint8_t byte : digest) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

std::string FileSha256Hex(const std::filesystem::path& path, uint64_t& size) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot be opened");
  Sha256 hash;
  std::vector<char> block(1 << 20);
  size = 0;
  while (file) {
    file.read(block.data(), static_cast<std::streamsize>(block.size()));
    const auto got = static_cast<size_t>(file.gcount());
    hash.Update(block.data(), got);
    size += got;
  }
  if (!file.eof()) throw std::runtime_error("cannot be read");
  return HexDigest(hash.Finish());
}

}  // namespace quonel::updmanifest
