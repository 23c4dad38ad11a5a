#include "ui/bitmap.h"

#include "core/property_registry.h"

namespace quonel {

void TBitmap::SetHandle(HBITMAP bitmap) {
  handle_.Reset(bitmap);
  BITMAP info{};
  if (bitmap && GetObjectW(bitmap, sizeof info, &info)) {
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  } else {
    width_ = height_ = 0;
  }
}

COLORREF TBitmap::Pixel(int x, int y) const {
  if (Empty()) return 0;
  MemoryDc dc;
  SelectionScope selected(dc.Get(), handle_.Get());
  return GetPixel(dc.Get(), x, y);
}

void DrawBitmapPart(HDC dc, int left, int top, const TBitmap& bitmap, int x, int y, int width, int height,
                    COLORREF transparent) {
  if (bitmap.Empty() || width <= 0 || height <= 0) return;
  MemoryDc source(dc);
  SelectionScope selected(source.Get(), bitmap.Handle());
  GdiTransparentBlt(dc, left, top, width, height, source.Get(), x, y, width, height, transparent);
}

void RegisterBitmapClass() { ClassRegistrar<TBitmap>(L"TBitmap", L""); }

}  // namespace quonel
