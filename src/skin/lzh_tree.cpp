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
    son[i] = i + kTableSize;
    prnt[i + kTableSize] = i;
  }
  for (int i = 0, j = kCharCount; j <= kRoot; i += 2, ++j) {
    freq[j] = freq[i] + freq[i + 1];
    son[j] = i;
    prnt[i] = prnt[i + 1] = j;
  }
  freq[kTableSize] = 0xFFFF;
  prnt[kRoot] = 0;
}

void TLzhTree::Rebuild() {
  // Leaves first, in node order, with halved counts (rounded up).
  int j = 0;
  for (int i = 0; i < kTableSize; ++i) {
    if (son[i] >= kTableSize) {
      freq[j] = (freq[i] + 1) / 2;
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
    const size_t moved = static_cast<size_t>(node - k) * sizeof(freq[0]);
    std::memmove(&freq[k + 1], &freq[k], moved);
    freq[k] = f;
    std::memmove(&son[k + 1], &son[k], moved);
    son[k] = i;
  }
  for (int i = 0; i < kTableSize; ++i) {
    const int k = son[i];
    if (k >= kTableSize) {
      prnt[k] = i;
    } else {
      prnt[k] = prnt[k + 1] = i;
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
      freq[l] = k;

      const int i = son[c];
      prnt[i] = l;
      if (i < kTableSize) prnt[i + 1] = l;
      const int j = son[l];
      son[l] = i;
      prnt[j] = c;
      if (j < kTableSize) prnt[j + 1] = c;
      son[c] = j;
      c = l;
    }
    c = prnt[c];
  } while (c != 0);
}

}  // namespace quonel::lzh
