// The frame-strip and nine-slice renderers shared by every skinned surface,
// and the plain fills. Frames count from 1; a destination rectangle with
// Right < Left or Bottom < Top draws nothing.
#pragma once
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

// One state image of a frame strip and how it is laid over a rectangle.
struct StripFrame {
  const SkinBitmap& bitmap;
  int count = 1;             // frames in the strip
  int index = 1;             // the frame drawn, from 1
  Margins margins{};         // the fixed borders of a nine- or three-slice
  bool vertical = false;     // frames stacked from top to bottom
  bool tile = false;         // middle parts repeated rather than stretched
  bool transparent = false;  // magenta lets the background show
};

// The frame rendered as a nine-slice into a new 24-bit bitmap the size of
// rect (empty for an empty rect).
SkinBitmap BuildSkinImage(const Rect& rect, const StripFrame& frame);
// BuildSkinImage, then one blit to rect (key magenta when transparent).
void DrawSkinImage(HDC dc, const Rect& rect, const StripFrame& frame);

void DrawFrameStretched(HDC dc, const Rect& rect, const StripFrame& frame);
// Always horizontal frames.
void DrawFrameCentered(HDC dc, const Rect& rect, const StripFrame& frame);
// Never transparent: straight to the destination.
void DrawFrameThreeSlice(HDC dc, const Rect& rect, const StripFrame& frame);
void DrawFrameTiled(HDC dc, const Rect& rect, const StripFrame& frame);

// Repeats source (a piece of the bitmap) over rect from its top-left; the
// last tiles are not clipped to rect.
void TileBitmap(HDC dc, const Rect& rect, const SkinBitmap& bitmap, const Rect& source);

// One solid row (vertical) or column per pixel band, only inside the clip box.
void GradientFill(HDC dc, const Rect& rect, TColor startColour, bool vertical, TColor endColour);
void FillWithColor(HDC dc, const Rect& rect, TColor colour);

}  // namespace quonel
