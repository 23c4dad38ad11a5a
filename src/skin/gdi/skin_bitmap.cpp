#include "skin/gdi/skin_bitmap.h"

#include <cstring>
#include <utility>

#include "skin/pixels/bmp_image.h"

namespace quonel {

namespace {
uint32_t SystemColourOf(int index) { return GetSysColor(index); }
}  // namespace

TColor BlendColors(TColor c1, TColor c2, int weight) { return BlendColors(c1, c2, weight, SystemColourOf); }

SkinBitmap& SkinBitmap::operator=(SkinBitmap&& other) noexcept {
  if (this == &other) return *this;
  handle_ = std::move(other.handle_);
  bits_ = std::exchange(other.bits_, nullptr);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  bitsPerPixel_ = std::exchange(other.bitsPerPixel_, 0);
  palette_ = std::move(other.palette_);
  other.palette_.clear();
  transparent = other.transparent;
  transparentColour = other.transparentColour;
  return *this;
}

SkinBitmap SkinBitmap::Create(int width, int height, int bitsPerPixel, std::vector<uint32_t> palette) {
  SkinBitmap bitmap;
  if (width <= 0 || height <= 0) return bitmap;
  if (bitsPerPixel <= 8) palette.resize(size_t{1} << bitsPerPixel, 0);
  else palette.clear();
  std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + palette.size() * 4);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = -height;  // top-down, as PixelView expects
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(bitsPerPixel);
  header->biCompression = BI_RGB;
  header->biClrUsed = static_cast<DWORD>(palette.size());
  if (!palette.empty()) std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), palette.data(), palette.size() * 4);
  void* bits = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits,
                                    nullptr, 0);
  if (!handle || !bits) {
    if (handle) DeleteObject(handle);
    return bitmap;
  }
  bitmap.handle_.Reset(handle);
  bitmap.bits_ = static_cast<uint8_t*>(bits);
  bitmap.width_ = width;
  bitmap.height_ = height;
  bitmap.bitsPerPixel_ = bitsPerPixel;
  bitmap.palette_ = std::move(palette);
  std::memset(bits, 0, static_cast<size_t>(DibStride(width, bitsPerPixel)) * height);
  return bitmap;
}

SkinBitmap SkinBitmap::FromBmpFile(std::string_view file) {
  auto image = DecodeBmp(file);
  if (!image) return {};
  SkinBitmap bitmap = Create(image->width, image->height, image->bitsPerPixel, image->palette);
  if (bitmap.Empty()) return bitmap;
  std::memcpy(bitmap.bits_, image->bits.data(), image->bits.size());
  // Indices beyond a short colour table read as black, as GDI shows them.
  return bitmap;
}

PixelView SkinBitmap::Pixels() const {
  GdiFlush();
  return {bits_, width_, height_, bitsPerPixel_, DibStride(width_, bitsPerPixel_)};
}

TColor SkinBitmap::Pixel(int x, int y) const {
  if (Empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return clBlack;
  return PixelColour(Pixels(), palette_, x, y);
}

void SkinBitmap::Fill(TColor colour) {
  if (Empty()) return;
  BitmapDc dc(*this);
  OwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(colour))));
  RECT all{0, 0, width_, height_};
  FillRect(dc.Get(), &all, brush.Get());
}

}  // namespace quonel
