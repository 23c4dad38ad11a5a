// The skinned tab control's layout: which side the tabs are on, the display
// area, the strip of tabs (the band) and where each tab lands in the band.
// The band is always composed lying down (tabs on top); for tabs on the left
// or right it is turned afterwards, so tab rectangles are rotated into it.
// Platform-free; the painter and the close-box hit test share it.
#pragma once
#include <cstdint>

#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

enum class TabSide { Top = 0, Bottom = 1, Left = 2, Right = 3 };

// From the window style: vertical with right/bottom = right, vertical alone
// = left, bottom alone = bottom, else top.
TabSide TabSideFromStyle(uint32_t style);

// The platform's display area (client rectangle adjusted for the tabs),
// inflated by 4 and moved 1 pixel toward the tabs.
Rect SkinDisplayArea(const Rect& adjusted, TabSide side);

// The strip between the control's edge and the display area on the tab side,
// in client coordinates.
Rect TabBandRect(const Rect& client, const Rect& display, TabSide side);

// The band bitmap's size as composed (lying down): left and right bands
// exchange width and height.
struct BandSize {
  int width = 0, height = 0;
  bool operator==(const BandSize&) const = default;
};
BandSize ComposedBandSize(const Rect& band, TabSide side);

// A tab's rectangle (client coordinates) inside the composed band. Top tabs
// move 1 pixel down; bottom tabs up by the display area's bottom + 1; left
// and right tabs are rotated so that turning the band puts them back.
Rect TabRectInBand(const Rect& tab, const Rect& band, const Rect& display, TabSide side);

// The 6 x 6 close box at a tab's top-right corner (client coordinates).
Rect TabCloseBox(const Rect& tab);
bool RectContains(const Rect& rect, int x, int y);

}  // namespace quonel
