// Composing 24-bit images in memory: nearest-neighbour piece copies, tiling
// and the whole nine-slice. The renderers compose here and reach the device
// with a single blit, which keeps a frame paint close to the cost of one.
#pragma once
#include "skin/pixels/nine_slice_geometry.h"
#include "skin/pixels/pixel_buffer.h"

namespace quonel {

// Copies source rectangle s of src onto d of dst, stretching by nearest
// neighbour (the colour-on-colour rule: no blending). Both views are 24-bit;
// whatever lies outside either view is skipped.
void CopyPieceScaled(const PixelView& src, const Rect& s, const PixelView& dst, const Rect& d);

// Repeats source rectangle s from area's top-left in columns and rows; the
// last tiles run past the area (clipped only by dst).
void TilePiece(const PixelView& src, const Rect& s, const PixelView& dst, const Rect& area);

// Frame f of src as a nine-slice filling all of dst, pieces in drawing order.
void ComposeNineSlice(const PixelView& src, const FrameCell& f, const Margins& margins, bool tile,
                      const PixelView& dst);

}  // namespace quonel
