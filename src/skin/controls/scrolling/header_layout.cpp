#include "skin/controls/scrolling/header_layout.h"

namespace quonel {

namespace {

constexpr int kHeaderFormatRight = 0x1;         // HDF_RIGHT
constexpr int kHeaderFormatCentre = 0x2;        // HDF_CENTER
constexpr int kHeaderFormatImage = 0x0800;      // HDF_IMAGE
constexpr int kHeaderFormatOwnerDraw = 0x8000;  // HDF_OWNERDRAW

}  // namespace

Rect HeaderHitRect(const Rect& item) { return {item.left + 3, item.top, item.right - 3, item.bottom}; }

int HeaderItemAt(const std::vector<Rect>& hitRects, int x, int y) {
  for (size_t i = 0; i < hitRects.size(); ++i) {
    const Rect& r = hitRects[i];
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
  }
  return -1;
}

Rect HeaderRestRect(int lastRight, int headerWidth, int headerHeight) {
  if (lastRight < 0) lastRight = 0;
  if (lastRight >= headerWidth) return {};
  return {lastRight, 0, headerWidth, headerHeight};
}

int HeaderTextAlignment(int format) {
  switch (format & 0x3) {  // HDF_JUSTIFYMASK: the reading order bit is no alignment
    case kHeaderFormatRight: return 2;
    case kHeaderFormatCentre: return 1;
    default: return 0;
  }
}

int HeaderItemImage(int format, int image) {
  return (format & (kHeaderFormatImage | kHeaderFormatOwnerDraw)) ? image : -1;
}

}  // namespace quonel
