#include "skin/controls/text_entry/up_down_layout.h"

#include <algorithm>

namespace quonel {

namespace {

constexpr int kEditBorder = 3;

bool Inside(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

int HalfState(UpDownHalf half, const UpDownLook& look) {
  if (look.disabled) return 3;
  if (look.pressed == half) return 2;
  if (look.pressed == UpDownHalf::None && look.hot == half) return 4;
  return 1;
}

}  // namespace

UpDownHalves SplitUpDown(const Rect& area, bool horizontal) {
  UpDownHalves halves{area, area};
  if (horizontal) {
    const int split = area.left + std::max(0, area.Width()) / 2;
    halves.first.right = split;
    halves.second.left = split;
  } else {
    const int split = area.top + std::max(0, area.Height()) / 2;
    halves.first.bottom = split;
    halves.second.top = split;
  }
  return halves;
}

UpDownHalf UpDownHalfAt(const UpDownHalves& halves, int x, int y) {
  if (Inside(halves.first, x, y)) return UpDownHalf::First;
  if (Inside(halves.second, x, y)) return UpDownHalf::Second;
  return UpDownHalf::None;
}

UpDownStates UpDownStatesOf(const UpDownLook& look) {
  return {HalfState(UpDownHalf::First, look), HalfState(UpDownHalf::Second, look)};
}

Rect KeepInsideEditBorder(const Rect& area, int editWidth, int editHeight) {
  Rect kept = area;
  if (const int missing = kEditBorder - kept.top; missing > 0) {
    kept.top += missing;
    kept.bottom += missing;
  }
  kept.right = std::min(kept.right, editWidth - kEditBorder);
  kept.bottom = std::min(kept.bottom, editHeight - kEditBorder);
  return kept;
}

}  // namespace quonel
