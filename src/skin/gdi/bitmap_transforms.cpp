#include "skin/gdi/bitmap_transforms.h"

#include <cstring>

namespace quonel {

namespace {

void EnsureFormat24(SkinBitmap& bitmap) {
  if (bitmap.Empty() || bitmap.BitsPerPixel() == 24) return;
  bitmap = CopyAs24(bitmap);
}

SkinBitmap SameFormat(const SkinBitmap& bitmap, int width, int height) {
  return SkinBitmap::Create(width, height, bitmap.BitsPerPixel(), bitmap.Palette());
}

// The source as a bottom-up 32-bit buffer, read the way GetDIBits gives it.
std::vector<uint8_t> Read32BottomUp(const SkinBitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  std::vector<uint8_t> buffer(static_cast<size_t>(w) * h * 4);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(buffer.size());
  info.bmiHeader.biXPelsPerMeter = 1;
  info.bmiHeader.biYPelsPerMeter = 1;
  WindowDc screen;
  GdiFlush();
  GetDIBits(screen.Get(), bitmap.Handle(), 0, h, buffer.data(), &info, DIB_RGB_COLORS);
  return buffer;
}

template <typename Rotate>
void RotateWith(SkinBitmap& bitmap, Rotate rotate) {
  if (bitmap.Empty()) return;
  const std::vector<uint8_t> buffer = Read32BottomUp(bitmap);
  SkinBitmap result = SkinBitmap::Create(bitmap.Height(), bitmap.Width(), 24);
  if (result.Empty()) return;
  rotate(buffer, bitmap.Width(), bitmap.Height(), result.Pixels());
  result.transparent = bitmap.transparent;
  result.transparentColour = bitmap.transparentColour;
  bitmap = std::move(result);
}

}  // namespace

SkinBitmap CopyAs24(const SkinBitmap& source) {
  SkinBitmap copy = SkinBitmap::Create(source.Width(), source.Height(), 24);
  if (copy.Empty()) return copy;
  ConvertTo24(source.Pixels(), source.Palette(), copy.Pixels());
  copy.transparent = source.transparent;
  copy.transparentColour = source.transparentColour;
  return copy;
}

void GrayscaleBitmap(SkinBitmap& bitmap) {
  EnsureFormat24(bitmap);
  if (!bitmap.Empty()) GrayscalePixels24(bitmap.Pixels());
}

void RecolorMagenta(SkinBitmap& bitmap, TColor colour) {
  EnsureFormat24(bitmap);
  if (!bitmap.Empty()) RecolorMagentaPixels24(bitmap.Pixels(), colour);
}

namespace {
// Runs a pixel transform into a copy of equal size and format, then writes
// the copy back over the bitmap's own pixels.
void TransformThroughCopy(SkinBitmap& bitmap, void (*transform)(const PixelView&, const PixelView&)) {
  if (bitmap.Empty()) return;
  SkinBitmap copy = SameFormat(bitmap, bitmap.Width(), bitmap.Height());
  if (copy.Empty()) return;
  transform(bitmap.Pixels(), copy.Pixels());
  const PixelView from = copy.Pixels(), to = bitmap.Pixels();
  std::memcpy(to.bits, from.bits, static_cast<size_t>(to.stride) * to.height);
}
}  // namespace

void MirrorBitmap(SkinBitmap& bitmap) { TransformThroughCopy(bitmap, MirrorPixels); }
void FlipBitmap(SkinBitmap& bitmap) { TransformThroughCopy(bitmap, FlipPixels); }

void RotateBitmapLeft(SkinBitmap& bitmap) { RotateWith(bitmap, RotateLeftFrom32); }
void RotateBitmapRight(SkinBitmap& bitmap) { RotateWith(bitmap, RotateRightFrom32); }

void CopyBitmap(const SkinBitmap& source, SkinBitmap& target) {
  if (&source == &target) return;
  SkinBitmap copy = SameFormat(source, source.Width(), source.Height());
  if (!copy.Empty()) {
    const PixelView from = source.Pixels(), to = copy.Pixels();
    std::memcpy(to.bits, from.bits, static_cast<size_t>(to.stride) * to.height);
  }
  copy.transparent = source.transparent;
  copy.transparentColour = source.transparentColour;
  target = std::move(copy);
}

}  // namespace quonel
