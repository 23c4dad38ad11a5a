// A skinned up-down's two halves and the frames they show, and where a spin
// button inside an edit may paint. Platform-free; shared by the painter and
// the mouse handling.
#pragma once
#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

enum class UpDownHalf { None, First, Second };  // first: up (or left)

struct UpDownHalves {
  Rect first, second;
};
// Split across the arrows' direction: the first half takes size div 2.
UpDownHalves SplitUpDown(const Rect& area, bool horizontal);
UpDownHalf UpDownHalfAt(const UpDownHalves& halves, int x, int y);

// What the up-down shows: the half the pointer is on (hot) or that was
// pressed, and whether the control is disabled.
struct UpDownLook {
  bool disabled = false;
  UpDownHalf pressed = UpDownHalf::None;
  UpDownHalf hot = UpDownHalf::None;
};
// The state of each half: 1 normal, 2 pressed, 3 disabled (both halves), 4 hot.
struct UpDownStates {
  int first = 1, second = 1;
};
UpDownStates UpDownStatesOf(const UpDownLook& look);
// In the eight-frame strips the second half's images follow the first's four.
inline int UpDownFrame(UpDownHalf half, int state) { return half == UpDownHalf::Second ? state + 4 : state; }

// A spin button inside an edit keeps 3 pixels clear of the edit's top, right
// and bottom edges (area in the edit window's coordinates): moved down by
// what is missing at the top, its right and bottom pulled in.
Rect KeepInsideEditBorder(const Rect& area, int editWidth, int editHeight);

}  // namespace quonel
