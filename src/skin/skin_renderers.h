// The frame-strip and nine-slice renderers shared by every skinned surface,
// and the plain fills. Frames count from 1; a destination rectangle with
// Right < Left or Bottom < Top draws nothing.
#pragma once
#include "skin/skin_bitmap.h"

namespace quonel {

// Frame index of count rendered as a nine-slice into a new 24-bit bitmap
// the size of rect (empty for an empty rect).
SkinBitmap BuildSkinImage(const Rect& rect, const SkinBitmap& bitmap, const Margins& margins, bool vertical,
                          bool tile, int count, int index);
// BuildSkinImage, then one blit to rect (key magenta when transparent).
void DrawSkinImage(HDC dc, const Rect& rect, const SkinBitmap& bitmap, bool vertical, bool tile, bool transparent,
                   int count, int index, const Margins& margins);

void DrawFrameStretched(HDC dc, const Rect& rect, const SkinBitmap& bitmap, bool transparent, int count, int index);
void DrawFrameCentered(HDC dc, const Rect& rect, const SkinBitmap& bitmap, bool transparent, int count, int index);
// Never transparent: straight to the destination.
void DrawFrameThreeSlice(HDC dc, const Rect& rect, const SkinBitmap& bitmap, bool vertical, int count, int index,
                         const Margins& margins);
void DrawFrameTiled(HDC dc, const Rect& rect, const SkinBitmap& bitmap, bool vertical, bool transparent, int count,
                    int index, const Margins& margins);
// Frame stretched to rect with magenta transparent.
void DrawFrameTransparent(HDC dc, const Rect& rect, int count, int index, const SkinBitmap& bitmap);

// Repeats source (a piece of the bitmap) over rect from its top-left; the
// last tiles are not clipped to rect.
void TileBitmap(HDC dc, const Rect& rect, const SkinBitmap& bitmap, const Rect& source);

// One solid row (vertical) or column per pixel band, only inside the clip box.
void GradientFill(HDC dc, const Rect& rect, TColor startColour, bool vertical, TColor endColour);
void FillWithColor(HDC dc, const Rect& rect, TColor colour);

}  // namespace quonel
