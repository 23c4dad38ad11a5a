#include "skin/controls/tabs/tab_band_geometry.h"

namespace quonel {

namespace {

constexpr uint32_t kVertical = 0x80;  // TCS_VERTICAL
constexpr uint32_t kBottom = 0x02;    // TCS_BOTTOM, TCS_RIGHT

}  // namespace

TabSide TabSideFromStyle(uint32_t style) {
  const bool vertical = (style & kVertical) != 0, far = (style & kBottom) != 0;
  if (vertical) return far ? TabSide::Right : TabSide::Left;
  return far ? TabSide::Bottom : TabSide::Top;
}

Rect SkinDisplayArea(const Rect& adjusted, TabSide side) {
  Rect area{adjusted.left - 4, adjusted.top - 4, adjusted.right + 4, adjusted.bottom + 4};
  switch (side) {
    case TabSide::Top: area.top += 1; break;
    case TabSide::Bottom: area.bottom -= 1; break;
    case TabSide::Left: area.left += 1; break;
    case TabSide::Right: area.right -= 1; break;
  }
  return area;
}

Rect TabBandRect(const Rect& client, const Rect& display, TabSide side) {
  Rect band = client;
  switch (side) {
    case TabSide::Top: band.bottom = display.top; break;
    case TabSide::Bottom: band.top = display.bottom; break;
    case TabSide::Left: band.right = display.left; break;
    case TabSide::Right: band.left = display.right; break;
  }
  if (band.right < band.left) band.right = band.left;
  if (band.bottom < band.top) band.bottom = band.top;
  return band;
}

BandSize ComposedBandSize(const Rect& band, TabSide side) {
  if (side == TabSide::Left || side == TabSide::Right) return {band.Height(), band.Width()};
  return {band.Width(), band.Height()};
}

Rect TabRectInBand(const Rect& tab, const Rect& band, const Rect& display, TabSide side) {
  switch (side) {
    case TabSide::Top:
      return {tab.left, tab.top + 1, tab.right, tab.bottom + 1};
    case TabSide::Bottom: {
      const int shift = display.bottom + 1;
      return {tab.left, tab.top - shift, tab.right, tab.bottom - shift};
    }
    case TabSide::Left: {
      // Turned left afterwards: band (x, y) shows at client (y, height - 1 - x).
      const int height = band.Height();
      return {height - (tab.bottom - band.top), tab.left - band.left, height - (tab.top - band.top),
              tab.right - band.left};
    }
    case TabSide::Right: {
      // Turned right afterwards: band (x, y) shows at client (width - 1 - y, x).
      const int width = band.Width();
      return {tab.top - band.top, width - (tab.right - band.left), tab.bottom - band.top,
              width - (tab.left - band.left)};
    }
  }
  return tab;
}

Rect TabCloseBox(const Rect& tab) { return {tab.right - 8, tab.top + 2, tab.right - 2, tab.top + 8}; }

bool RectContains(const Rect& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

}  // namespace quonel
