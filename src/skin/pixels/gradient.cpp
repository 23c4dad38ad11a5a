#include "skin/pixels/gradient.h"

namespace quonel {

void FillGradientTable(std::vector<TColor>& table, int count, TColor start, TColor end) {
  table.assign(count > 0 ? count : 0, 0);
  if (count <= 0) return;
  const int starts[3] = {RedOf(start), GreenOf(start), BlueOf(start)};
  const int deltas[3] = {RedOf(end) - starts[0], GreenOf(end) - starts[1], BlueOf(end) - starts[2]};
  for (int i = 0; i < count; ++i) {
    int channel[3];
    for (int c = 0; c < 3; ++c) {
      if (count == 1) {
        channel[c] = starts[c] + deltas[c] / 2;
      } else {
        const int64_t m = count - 1;
        const int64_t h = m / 2;
        channel[c] = starts[c] + static_cast<int>((h + static_cast<int64_t>(i) * deltas[c]) / m);
      }
    }
    table[i] = MakeColour(channel[0], channel[1], channel[2]);
  }
}

int GradientTableCache::GetGradientTable(int count, TColor start, TColor end) {
  for (int slot = kSlots - 1; slot >= 0; --slot) {
    const Slot& s = slots_[slot];
    if (!s.colours.empty() && static_cast<int>(s.colours.size()) == count && s.start == start && s.end == end)
      return slot;
  }
  const int slot = next_;
  next_ = (next_ + 1) % kSlots;
  slots_[slot].start = start;
  slots_[slot].end = end;
  FillGradientTable(slots_[slot].colours, count, start, end);
  return slot;
}

GradientTableCache& SharedGradientCache() {
  static GradientTableCache cache;
  return cache;
}

BandRange GradientBands(const Rect& rect, const Rect& clip, bool vertical) {
  const int lo = vertical ? rect.top : rect.left;
  const int hi = vertical ? rect.bottom : rect.right;
  const int clipLo = vertical ? clip.top : clip.left;
  const int clipHi = vertical ? clip.bottom : clip.right;
  BandRange range;
  range.count = hi - lo;
  if (range.count <= 0) return range;
  range.first = clipLo > lo ? clipLo - lo : 0;
  range.last = clipHi < hi ? clipHi - lo - 1 : range.count - 1;
  return range;
}

}  // namespace quonel
