// TLZH: the decoder of the skin archive's LZHUF stream (LZSS over a 4,096-byte
// window with adaptive Huffman coding of literals and match lengths).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace quonel {

class TLZH {
 public:
  // Larger decoded sizes are not meant: no skin comes near it, and a size
  // field from a damaged archive must not decide how much memory we take.
  static constexpr int32_t kMaxDecodedSize = 64 * 1024 * 1024;

  // Decodes the bit stream until at least size bytes are out; a final match
  // is written whole, so up to 59 bytes more may come. Input past its end
  // reads as zero bytes, so a short stream still yields size bytes.
  // size <= 0 yields nothing; size > kMaxDecodedSize throws std::length_error.
  // ElzhException when the decoder's tables cannot be allocated.
  static std::string Decode(std::string_view input, int32_t size);
};

}  // namespace quonel
