#include "skin/archive/lzh_tree.h"

#include <cstring>

namespace quonel::lzh {

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

}  // namespace quonel::lzh
