// Little-endian integers in byte strings: skin archives, bitmap files and the
// stored skin stream keep their sizes this way. The caller checks the bounds.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace quonel {

inline uint16_t ReadLittleEndian16(std::string_view bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

inline uint32_t ReadLittleEndian32(std::string_view bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
  return value;
}

inline int32_t ReadLittleEndianInt32(std::string_view bytes, size_t at) {
  return static_cast<int32_t>(ReadLittleEndian32(bytes, at));
}

inline void AppendLittleEndian32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

}  // namespace quonel
