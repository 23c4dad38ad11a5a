// Small images of our own that the skin engine carries: the slider tracks
// used when a skin has none, and the menu glyphs of the system menu.
#pragma once
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

SkinBitmap BuiltinTrackHorizontal();  // 16 x 4, 24 bits
SkinBitmap BuiltinTrackVertical();    // 4 x 16, 24 bits
// 64 x 16 monochrome in four 16 x 16 cells: restore, maximise, minimise,
// close; black glyphs on white, white being transparent.
SkinBitmap BuiltinMenuGlyphs();

}  // namespace quonel
