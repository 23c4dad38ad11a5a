#include "skin/controls/bars/bar_geometry.h"

#include <algorithm>
#include <cstdint>

namespace quonel {

int ProgressFillLength(int length, int64_t position, int64_t limit) {
  if (length <= 0 || position <= 0 || limit <= 0) return 0;
  if (position >= limit) return length;
  // 64 bits: a long bar times a large position must not wrap.
  const int64_t product = length * position;
  return static_cast<int>((product + limit / 2) / limit);
}

Rect TrackChannelImageRect(const Rect& channel, int imageWidth, int imageHeight, bool vertical) {
  Rect rect = channel;
  if (vertical) {
    if (imageWidth < channel.Width()) {
      rect.left = channel.left + (channel.Width() - imageWidth) / 2;
      rect.right = rect.left + imageWidth;
    }
  } else if (imageHeight < channel.Height()) {
    rect.top = channel.top + (channel.Height() - imageHeight) / 2;
    rect.bottom = rect.top + imageHeight;
  }
  return rect;
}

Rect StatusPanelFrameRect(const Rect& panel, bool last, int barWidth) {
  Rect rect = panel;
  rect.right = last ? barWidth : std::min(panel.right + 2, barWidth);
  return rect;
}

int StatusPanelFrame(PanelBevel bevel) {
  switch (bevel) {
    case PanelBevel::Raised: return 2;
    case PanelBevel::None: return 3;
    case PanelBevel::Lowered: break;
  }
  return 1;
}

}  // namespace quonel
