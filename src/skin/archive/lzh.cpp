#include "skin/archive/lzh.h"

#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

#include "skin/archive/lzh_exception.h"
#include "skin/archive/lzh_tree.h"

namespace quonel {
namespace {

using namespace lzh;

// Most significant bit first; up to 64 bits pending so that the input is
// touched once per byte rather than once per bit.
class BitInput {
 public:
  explicit BitInput(std::string_view input)
      : next_(reinterpret_cast<const uint8_t*>(input.data())), end_(next_ + input.size()) {}

  unsigned Bit() {
    if (count_ == 0) Refill();
    const unsigned bit = static_cast<unsigned>(bits_ >> 63);
    bits_ <<= 1;
    --count_;
    return bit;
  }

  unsigned Byte() {
    if (count_ < 8) Refill();
    const unsigned byte = static_cast<unsigned>(bits_ >> 56);
    bits_ <<= 8;
    count_ -= 8;
    return byte;
  }

 private:
  void Refill() {
    while (count_ <= 56) {
      const uint64_t byte = next_ < end_ ? *next_++ : 0;  // past the end: zeros
      bits_ |= byte << (56 - count_);
      count_ += 8;
    }
  }

  const uint8_t* next_;
  const uint8_t* end_;
  uint64_t bits_ = 0;
  int count_ = 0;
};

unsigned DecodeSymbol(TLzhTree& tree, BitInput& input) {
  unsigned node = tree.son[kRoot];
  while (node < static_cast<unsigned>(kTableSize)) {
    node = tree.son[node + input.Bit()];
  }
  const unsigned symbol = node - kTableSize;
  tree.Update(static_cast<int>(symbol));
  return symbol;
}

unsigned DecodePosition(BitInput& input) {
  const PositionTables& tables = kPositions;
  unsigned i = input.Byte();
  const unsigned upper = static_cast<unsigned>(tables.code[i]) << 6;
  for (int extra = tables.length[i] - 2; extra > 0; --extra) i = (i << 1) | input.Bit();
  return upper | (i & 63);
}

}  // namespace

std::string TLZH::Decode(std::string_view input, int32_t size) {
  if (size > kMaxDecodedSize) throw std::length_error("LZH: decoded size beyond the limit");
  if (size <= 0) return {};

  std::unique_ptr<TLzhTree> tree(new (std::nothrow) TLzhTree);
  if (!tree) throw ElzhException(kLzhNoMemoryMessage);

  // The output doubles as the window: it is preceded by what the ring buffer
  // holds before the first byte (zeros in its last 60 slots, spaces in the
  // others), so a match reaching back past the start reads exactly that.
  const size_t prefix = kWindowSize;
  std::string out(prefix + static_cast<size_t>(size) + kMaxMatch, '\0');
  std::memset(&out[kMaxMatch], ' ', kRingStart);
  char* const base = out.data() + prefix;
  const size_t target = static_cast<size_t>(size);

  BitInput bits(input);
  size_t n = 0;
  while (n < target) {
    const unsigned symbol = DecodeSymbol(*tree, bits);
    if (symbol < 256) {
      base[n++] = static_cast<char>(symbol);
      continue;
    }
    const size_t distance = DecodePosition(bits) + 1;
    const int length = static_cast<int>(symbol) - 255 + kThreshold;
    // Byte by byte: an overlapping copy repeats the bytes it has just written.
    const char* from = base + n - distance;
    char* to = base + n;
    for (int k = 0; k < length; ++k) to[k] = from[k];
    n += static_cast<size_t>(length);
  }
  out.resize(prefix + n);
  out.erase(0, prefix);
  return out;
}

}  // namespace quonel
