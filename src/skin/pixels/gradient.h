// Gradient colour tables (one colour per pixel band) with a small
// process-wide cache, and the band range a clip box leaves to be painted.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "skin/pixels/colour_math.h"
#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

class GradientTableCache {
 public:
  static constexpr int kSlots = 16;
  // Index of a slot holding count colours from start to end; slots are
  // reused round-robin when no slot holds an equal table.
  int GetGradientTable(int count, TColor start, TColor end);
  const std::vector<TColor>& Table(int slot) const { return slots_.at(slot).colours; }

 private:
  struct Slot {
    // The requested ends: for falling channels the last entry stops short of
    // the end colour, so the table's own ends cannot identify it.
    TColor start = 0;
    TColor end = 0;
    std::vector<TColor> colours;
  };
  std::array<Slot, kSlots> slots_;
  int next_ = 0;
};

// The cache shared by every gradient the program paints.
GradientTableCache& SharedGradientCache();

// Fills table with count colours: one band is the midpoint, otherwise the
// bands run from start towards end with rounding offset (count-1) div 2.
void FillGradientTable(std::vector<TColor>& table, int count, TColor start, TColor end);

struct BandRange {
  int count = 0;  // bands of the whole rectangle
  int first = 0;  // first and last band inside the clip box, inclusive
  int last = -1;
};
// Bands are rows when vertical, else columns.
BandRange GradientBands(const Rect& rect, const Rect& clip, bool vertical);

}  // namespace quonel
