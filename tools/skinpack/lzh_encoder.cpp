#include "lzh_encoder.h"

#include "core/little_endian.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "skin/archive/lzh.h"
#include "skin/archive/lzh_tree.h"

namespace quonel::skinpack {
namespace {

using namespace lzh;

class BitOutput {
 public:
  explicit BitOutput(std::string& out) : out_(out) {}
  void Put(unsigned bits, int count) {  // the low count bits, top first
    pending_ = (pending_ << count) | (bits & ((1u << count) - 1));
    pending_count_ += count;
    while (pending_count_ >= 8) {
      pending_count_ -= 8;
      out_.push_back(static_cast<char>((pending_ >> pending_count_) & 0xFF));
    }
  }
  void Flush() {
    if (pending_count_ > 0) out_.push_back(static_cast<char>((pending_ << (8 - pending_count_)) & 0xFF));
    pending_count_ = 0;
  }

 private:
  std::string& out_;
  uint64_t pending_ = 0;
  int pending_count_ = 0;
};

class SymbolEncoder {
 public:
  explicit SymbolEncoder(BitOutput& bits) : bits_(bits) {
    const PositionTables& tables = kPositions;
    for (int i = 255; i >= 0; --i) {  // keep the first byte of each code's run
      first_byte_[tables.code[i]] = static_cast<uint8_t>(i);
      code_bits_[tables.code[i]] = tables.length[i];
    }
  }

  void Symbol(int symbol) {
    // The path from the leaf up; the slot's parity is the branch taken.
    // Kept whole: on a skewed tree a code can be longer than 16 bits.
    int path[kTableSize];
    int depth = 0;
    for (int node = tree_.prnt[symbol + kTableSize]; node != kRoot; node = tree_.prnt[node]) {
      path[depth++] = node & 1;
    }
    while (depth > 0) bits_.Put(static_cast<unsigned>(path[--depth]), 1);
    tree_.Update(symbol);
  }

  void Position(unsigned position) {
    const unsigned upper = position >> 6;
    const int length = code_bits_[upper];
    bits_.Put(first_byte_[upper] >> (8 - length), length);
    bits_.Put(position & 63, 6);
  }

 private:
  BitOutput& bits_;
  TLzhTree tree_;
  uint8_t first_byte_[64] = {};
  uint8_t code_bits_[64] = {};
};

// Hash chains over the window, the decoder's initial spaces included.
class MatchFinder {
 public:
  static constexpr int kHashBits = 14;
  static constexpr int kChainLimit = 1024;

  explicit MatchFinder(const std::string& buffer)
      : buffer_(buffer), head_(1 << kHashBits, -1), previous_(buffer.size(), -1) {}

  void Insert(size_t position) {
    if (position + 3 > buffer_.size()) return;
    const uint32_t h = Hash(position);
    previous_[position] = head_[h];
    head_[h] = static_cast<int32_t>(position);
  }

  // Longest match for position of at most limit bytes, reaching back at most
  // a window's length; length 0 when none reaches the minimum.
  struct Match {
    int length = 0;
    size_t distance = 0;
  };
  Match Find(size_t position, int limit) const {
    Match best;
    if (position + 3 > buffer_.size() || limit <= kThreshold) return best;
    int chain = kChainLimit;
    for (int32_t candidate = head_[Hash(position)]; candidate >= 0 && chain-- > 0;
         candidate = previous_[static_cast<size_t>(candidate)]) {
      const size_t distance = position - static_cast<size_t>(candidate);
      if (distance > static_cast<size_t>(kWindowSize)) break;
      int length = 0;
      const char* a = buffer_.data() + candidate;
      const char* b = buffer_.data() + position;
      while (length < limit && a[length] == b[length]) ++length;
      if (length > best.length) {
        best = {length, distance};
        if (length == limit) break;
      }
    }
    if (best.length <= kThreshold) best = {};
    return best;
  }

 private:
  uint32_t Hash(size_t p) const {
    const auto* s = reinterpret_cast<const uint8_t*>(buffer_.data()) + p;
    const uint32_t v = static_cast<uint32_t>(s[0]) << 16 | static_cast<uint32_t>(s[1]) << 8 | s[2];
    return (v * 2654435761u) >> (32 - kHashBits);
  }

  const std::string& buffer_;
  std::vector<int32_t> head_;
  std::vector<int32_t> previous_;
};

}  // namespace

std::string LzhEncode(std::string_view data) {
  if (data.size() > static_cast<size_t>(TLZH::kMaxDecodedSize)) {
    throw std::length_error("input larger than a compressed stream may hold");
  }
  std::string out;
  AppendLittleEndian32(out, static_cast<uint32_t>(data.size()));
  if (data.empty()) return out;

  // The decoder's window before the first byte: its last 60 slots are never
  // written by anyone, so only the spaces are offered as matches.
  const size_t start = kWindowSize;
  std::string buffer(start, ' ');
  std::memset(buffer.data(), 0, kMaxMatch);
  buffer.append(data);

  MatchFinder finder(buffer);
  for (size_t p = kMaxMatch; p < start; ++p) finder.Insert(p);

  BitOutput bits(out);
  SymbolEncoder encoder(bits);
  size_t position = start;
  auto limitAt = [&](size_t p) { return static_cast<int>(std::min<size_t>(kMaxMatch, buffer.size() - p)); };
  while (position < buffer.size()) {
    MatchFinder::Match match = finder.Find(position, limitAt(position));
    finder.Insert(position);
    // One step of lazy matching: a longer match one byte later wins.
    if (match.length > 0 && match.length < kMaxMatch &&
        finder.Find(position + 1, limitAt(position + 1)).length > match.length) {
      match = {};
    }
    if (match.length == 0) {
      encoder.Symbol(static_cast<uint8_t>(buffer[position]));
      ++position;
      continue;
    }
    encoder.Symbol(255 - kThreshold + match.length);
    encoder.Position(static_cast<unsigned>(match.distance - 1));
    for (int k = 1; k < match.length; ++k) finder.Insert(position + static_cast<size_t>(k));
    position += static_cast<size_t>(match.length);
  }
  bits.Flush();
  return out;
}

}  // namespace quonel::skinpack
