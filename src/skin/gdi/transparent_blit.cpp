#include "skin/gdi/transparent_blit.h"

#include <algorithm>

namespace quonel {

bool IsWindowsNT() {
  // The high bit of GetVersion is clear on the NT family.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return (GetVersion() & 0x80000000u) == 0;
#pragma GCC diagnostic pop
}

void TransparentBlit(HDC dc, const Rect& rect, const SkinBitmap& bitmap, TColor key, MaskedCopy method) {
  if (bitmap.Empty()) return;
  BitmapDc source(bitmap);
  TransparentBlitFromDc(dc, rect, source.Get(), bitmap.Pixels(), bitmap.Palette(), key, method);
}

void TransparentBlitFromDc(HDC dc, const Rect& rect, HDC source, const PixelView& pixels,
                           const std::vector<uint32_t>& palette, TColor key, MaskedCopy method) {
  if (rect.Inverted()) return;
  const int w = std::min(rect.Width(), pixels.width);
  const int h = std::min(rect.Height(), pixels.height);
  if (w <= 0 || h <= 0) return;
  // The mask comes from the pixels themselves, so the key matches exactly
  // whatever the bitmap's format.
  const std::vector<uint8_t> maskBits = KeyMaskBits(pixels, palette, key, w, h);
  OwnedBitmap mask(CreateBitmap(w, h, 1, 1, maskBits.data()));
  if (!mask) return;
  if (method == MaskedCopy::Auto) method = IsWindowsNT() ? MaskedCopy::MaskBlt : MaskedCopy::InvertAndMask;
  if (method == MaskedCopy::MaskBlt) {
    // Mask 1 (key): keep the destination; mask 0: copy the source.
    MaskBlt(dc, rect.left, rect.top, w, h, source, 0, 0, mask.Get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
    return;
  }
  MemoryDc maskDc;
  SelectionScope selected(maskDc.Get(), mask.Get());
  // Monochrome to colour: 1 becomes the background colour, 0 the text colour.
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, rect.left, rect.top, w, h, source, 0, 0, SRCINVERT);
  BitBlt(dc, rect.left, rect.top, w, h, maskDc.Get(), 0, 0, SRCAND);
  BitBlt(dc, rect.left, rect.top, w, h, source, 0, 0, SRCINVERT);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
}

}  // namespace quonel
