// The bitmaps of the skin engine: device-independent sections whose pixels
// are reachable both through GDI (select into a DC) and in memory, kept
// top-down. An empty SkinBitmap stands for "no image".
#pragma once
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "skin/pixels/colour_math.h"
#include "core/win32_owners.h"
#include "skin/pixels/nine_slice_geometry.h"
#include "skin/pixels/pixel_buffer.h"

namespace quonel {

class SkinBitmap {
 public:
  SkinBitmap() = default;
  // A moved-from bitmap is empty in every respect.
  SkinBitmap(SkinBitmap&& other) noexcept { *this = std::move(other); }
  SkinBitmap& operator=(SkinBitmap&& other) noexcept;

  // Zero-filled; empty when a side is not positive or the section cannot be
  // made. palette: blue-lowest entries for 1, 4 and 8 bits per pixel.
  static SkinBitmap Create(int width, int height, int bitsPerPixel = 24, std::vector<uint32_t> palette = {});
  // A .bmp file; empty when it is not a valid bitmap.
  static SkinBitmap FromBmpFile(std::string_view file);

  bool Empty() const { return !handle_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  const std::vector<uint32_t>& Palette() const { return palette_; }
  HBITMAP Handle() const { return handle_.Get(); }
  // The pixel memory; pending GDI drawing is flushed first.
  PixelView Pixels() const;
  // The colour of a pixel, red in the low byte; black outside the image.
  TColor Pixel(int x, int y) const;
  void Fill(TColor colour);

  // Drawing through the bitmap's own transparency uses this key.
  bool transparent = false;
  TColor transparentColour = clMagenta;

 private:
  OwnedBitmap handle_;
  uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 0;
  std::vector<uint32_t> palette_;
};

// A memory DC with the bitmap selected for the DC's lifetime.
class BitmapDc {
 public:
  explicit BitmapDc(const SkinBitmap& bitmap) : selection_(dc_.Get(), bitmap.Handle()) {}
  HDC Get() const { return dc_.Get(); }

 private:
  MemoryDc dc_;
  SelectionScope selection_;
};

TColor BlendColors(TColor c1, TColor c2, int weight);

inline RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace quonel
