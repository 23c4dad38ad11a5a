// Whole-bitmap transforms; each changes the bitmap in place. Greyscale and
// the magenta recolour leave it at 24 bits per pixel, the rotations too.
#pragma once
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

void GrayscaleBitmap(SkinBitmap& bitmap);
// Exact magenta pixels take the colour's channels (no system-colour lookup).
void RecolorMagenta(SkinBitmap& bitmap, TColor colour);
void MirrorBitmap(SkinBitmap& bitmap);
void FlipBitmap(SkinBitmap& bitmap);
void RotateBitmapLeft(SkinBitmap& bitmap);
void RotateBitmapRight(SkinBitmap& bitmap);
// The target becomes a copy of the source: size, format and pixels.
void CopyBitmap(const SkinBitmap& source, SkinBitmap& target);
// A 24-bit copy of any bitmap.
SkinBitmap CopyAs24(const SkinBitmap& source);

}  // namespace quonel
