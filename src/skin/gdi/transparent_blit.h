// Colour-key transparency: copy a bitmap except where its pixels are the key.
#pragma once
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

// How the masked copy is done: MaskBlt where the platform has it (Windows
// NT), else three raster operations through the mask.
enum class MaskedCopy { Auto, MaskBlt, InvertAndMask };

// Copies the bitmap's top-left part to rect at 1:1; destination pixels under
// key-coloured source pixels stay as they were.
void TransparentBlit(HDC dc, const Rect& rect, const SkinBitmap& bitmap, TColor key,
                     MaskedCopy method = MaskedCopy::Auto);

// The same from a DC that already holds the source, whose pixels (at least
// rect's size, clipped to them) decide the mask.
void TransparentBlitFromDc(HDC dc, const Rect& rect, HDC source, const PixelView& pixels,
                           const std::vector<uint32_t>& palette, TColor key, MaskedCopy method = MaskedCopy::Auto);

// True on Windows NT and its successors.
bool IsWindowsNT();

}  // namespace quonel
