#include "skin/lzh_tree.h"

#include <cstring>

namespace quonel::lzh {

const PositionTables& Positions() {
  static const PositionTables tables = [] {
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
  }();
  return tables;
}

void TLzhTree::Start() {
  for (int i = 0; i < kCharCount; ++i) {
    freq[i] = 1;
    son[i] = static_cast<uint16_t>(i + kTableSize);
    prnt[i + kTableSize] = static_cast<uint16_t>(i);
  }
  for (int i = 0, j = kCharCount; j <= kRoot; i += 2, ++j) {
    freq[j] = static_cast<uint16_t>(freq[i] + freq[i + 1]);
    son[j] = static_cast<uint16_t>(i);
    prnt[i] = prnt[i + 1] = static_cast<uint16_t>(j);
  }
  freq[kTableSize] = 0xFFFF;
  prnt[kRoot] = 0;
}

void TLzhTree::Rebuild() {
  // Leaves first, in node order, with halved counts (rounded up).
  int j = 0;
  for (int i = 0; i < kTableSize; ++i) {
    if (son[i] >= kTableSize) {
      freq[j] = static_cast<uint16_t>((freq[i] + 1) / 2);
      son[j] = son[i];
      ++j;
    }
  }
  // Pair them up again, keeping the counts sorted; an equal count goes after
  // the existing ones so that the tree evolves the same on both sides.
  for (int i = 0, node = kCharCount; node < kTableSize; i += 2, ++node) {
    const unsigned f = static_cast<unsigned>(freq[i]) + freq[i + 1];
    int k = node - 1;
    while (f < freq[k]) --k;
    ++k;
    const size_t moved = static_cast<size_t>(node - k) * sizeof(uint16_t);
    std::memmove(&freq[k + 1], &freq[k], moved);
    freq[k] = static_cast<uint16_t>(f);
    std::memmove(&son[k + 1], &son[k], moved);
    son[k] = static_cast<uint16_t>(i);
  }
  for (int i = 0; i < kTableSize; ++i) {
    const int k = son[i];
    if (k >= kTableSize) {
      prnt[k] = static_cast<uint16_t>(i);
    } else {
      prnt[k] = prnt[k + 1] = static_cast<uint16_t>(i);
    }
  }
}

void TLzhTree::Update(int symbol) {
  if (freq[kRoot] >= kMaxFrequency) Rebuild();
  int c = prnt[symbol + kTableSize];
  do {
    const unsigned k = ++freq[c];
    int l = c + 1;
    if (k > freq[l]) {
      // Move the node behind the last one that still counts less, so that
      // the counts stay sorted by node number.
      while (k > freq[++l]) {
      }
      --l;
      freq[c] = freq[l];
      freq[l] = static_cast<uint16_t>(k);

      const int i = son[c];
      prnt[i] = static_cast<uint16_t>(l);
      if (i < kTableSize) prnt[i + 1] = static_cast<uint16_t>(l);
      const int j = son[l];
      son[l] = static_cast<uint16_t>(i);
      prnt[j] = static_cast<uint16_t>(c);
      if (j < kTableSize) prnt[j + 1] = static_cast<uint16_t>(c);
      son[c] = static_cast<uint16_t>(j);
      c = l;
    }
    c = prnt[c];
  } while (c != 0);
}

}  // namespace quonel::lzh
