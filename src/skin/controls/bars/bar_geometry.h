// Where the skinned progress bars, track bars and status bars put their
// pieces: the arithmetic alone, shared by the painters and their tests.
// Platform-free.
#pragma once
#include <cstdint>

#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

// The filled length of a progress bar `length` pixels long: length *
// position / limit, rounded to nearest, when both are positive. A position
// past the limit fills the bar and no more; a limit of zero or below, or a
// position of zero or below, fills nothing.
int ProgressFillLength(int length, int64_t position, int64_t limit);

// A track bar's channel image laid along the channel: across it the image
// keeps its own size, centred, when it is smaller than the channel;
// otherwise it spans the channel.
Rect TrackChannelImageRect(const Rect& channel, int imageWidth, int imageHeight, bool vertical);

// A status bar panel as the skin frames it: the platform's rectangle with its
// right edge 2 pixels further right, the last panel reaching the bar's right edge.
Rect StatusPanelFrameRect(const Rect& panel, bool last, int barWidth);

// The frame of the status bar edge strip for a panel's bevel.
enum class PanelBevel { Lowered, Raised, None };
int StatusPanelFrame(PanelBevel bevel);

}  // namespace quonel
