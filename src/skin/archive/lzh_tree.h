// The adaptive Huffman model of the LZHUF scheme, shared by the decoder of the
// program and the encoder of the skin packer: both sides must evolve the very
// same tree symbol by symbol, so there is exactly one implementation of it.
#pragma once
#include <cstdint>

namespace quonel::lzh {

inline constexpr int kWindowSize = 4096;            // N: sliding window
inline constexpr int kMaxMatch = 60;                // F: longest match
inline constexpr int kThreshold = 2;                // matches are longer than this
inline constexpr int kCharCount = 256 - kThreshold + kMaxMatch;  // 314 symbols
inline constexpr int kTableSize = kCharCount * 2 - 1;            // 627 tree nodes
inline constexpr int kRoot = kTableSize - 1;                     // node 626
inline constexpr int kMaxFrequency = 0x8000;
// The ring buffer starts with this many spaces; writing starts right after.
inline constexpr int kRingStart = kWindowSize - kMaxMatch;      // 4036

// Upper six bits of a match position by the first position byte, and the total
// number of bits (3..8) that the encoder spent on those upper bits.
struct PositionTables {
  uint8_t code[256];
  uint8_t length[256];
};

constexpr PositionTables MakePositionTables() {
  PositionTables t{};
  // Runs of 32 (upper bits 0), then 16, 8, 4, 2 and 1 entries per value:
  // the shorter the code, the more first bytes map to it.
  struct Run { int values; int entries; int bits; };
  const Run runs[] = {{1, 32, 3}, {3, 16, 4}, {8, 8, 5}, {12, 4, 6}, {24, 2, 7}, {16, 1, 8}};
  int index = 0, code = 0;
  for (const Run& run : runs) {
    for (int v = 0; v < run.values; ++v, ++code) {
      for (int e = 0; e < run.entries; ++e, ++index) {
        t.code[index] = static_cast<uint8_t>(code);
        t.length[index] = static_cast<uint8_t>(run.bits);
      }
    }
  }
  return t;
}
inline constexpr PositionTables kPositions = MakePositionTables();

class TLzhTree {
 public:
  TLzhTree() { Start(); }
  void Start();
  // Counts one more occurrence of symbol, rebuilding first at the limit.
  // Inline: it is the decoder's innermost work.
  void Update(int symbol) {
    if (freq[kRoot] >= kMaxFrequency) Rebuild();
    unsigned c = prnt[symbol + kTableSize];
    do {
      const uint32_t k = ++freq[c];
      unsigned l = c + 1;
      if (k > freq[l]) {
        // Move the node behind the last one that still counts less, so that
        // the counts stay sorted by node number.
        while (k > freq[++l]) {
        }
        --l;
        freq[c] = freq[l];
        freq[l] = k;

        const uint32_t i = son[c];
        prnt[i] = l;
        if (i < kTableSize) prnt[i + 1] = l;
        const uint32_t j = son[l];
        son[l] = i;
        prnt[j] = c;
        if (j < kTableSize) prnt[j + 1] = c;
        son[c] = j;
        c = l;
      }
      c = prnt[c];
    } while (c != 0);
  }

  // Counts never pass 0x8000, so 16 bits would do; 32-bit entries are
  // quicker to work with and the three tables still take under 9 KB.
  // son[node]: left child of an internal node (its right child is the next
  // slot), or symbol + kTableSize for a leaf.
  uint32_t son[kTableSize];
  // prnt[node]: parent; prnt[symbol + kTableSize]: the leaf node of a symbol.
  uint32_t prnt[kTableSize + kCharCount];
  // freq[kTableSize] is a sentinel larger than any count.
  uint32_t freq[kTableSize + 1];

 private:
  void Rebuild();
};

}  // namespace quonel::lzh
