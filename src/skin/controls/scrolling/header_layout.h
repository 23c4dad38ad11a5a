// Where a skinned header paints and what its pointer hits: the item
// rectangles of hot tracking, the band right of the last item and
// the text placement read from an item's format. Platform-free; the painter
// and the mouse handling share it.
#pragma once
#include <vector>

#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

// The rectangle an item answers the pointer in: 3 pixels in from both sides,
// so that the dividers (where the control resizes columns) are nobody's.
Rect HeaderHitRect(const Rect& item);

// The item whose hit rectangle holds the point, or -1.
int HeaderItemAt(const std::vector<Rect>& hitRects, int x, int y);

// The part of a header of that width right of the items, when they end
// short of its edge (lastRight is the largest item right edge); empty otherwise.
Rect HeaderRestRect(int lastRight, int headerWidth, int headerHeight);

// The item format's alignment for DrawItemText (0 left, 1 centre, 2 right):
// HDF_RIGHT right, HDF_CENTER centre, anything else left.
int HeaderTextAlignment(int format);
// The image an item shows: only with HDF_IMAGE or HDF_OWNERDRAW, else -1.
int HeaderItemImage(int format, int image);

// An item's text is read into this many wide characters, the terminator
// included: longer captions are cut to one less.
inline constexpr int kHeaderTextBuffer = 201;

}  // namespace quonel
