#include "skin/gdi/region_from_bitmap.h"

#include <algorithm>
#include <vector>

namespace quonel {

namespace {

constexpr size_t kRectanglesPerRegion = 2000;

// Unites a batch of rectangles into the result through one region.
void UniteBatch(OwnedRegion& result, const Rect* rects, size_t count) {
  std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(count);
  header->nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
  RECT bounds{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
  auto* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (size_t i = 0; i < count; ++i) {
    out[i] = ToRECT(rects[i]);
    UnionRect(&bounds, &bounds, &out[i]);
  }
  header->rcBound = bounds;
  OwnedRegion batch(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
  if (batch) CombineRgn(result.Get(), result.Get(), batch.Get(), RGN_OR);
}

}  // namespace

OwnedRegion RegionFromBitmap(const SkinBitmap& bitmap, int x, int y, int toleranceBlue, int toleranceGreen,
                              int toleranceRed, TColor key) {
  OwnedRegion result(CreateRectRgn(0, 0, 0, 0));
  if (bitmap.Empty() || !result) return result;
  const int w = bitmap.Width(), h = bitmap.Height();
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down rows for the scan
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  WindowDc screen;
  GdiFlush();
  if (GetDIBits(screen.Get(), bitmap.Handle(), 0, h, pixels.data(), &info, DIB_RGB_COLORS) == 0) return result;
  const KeyTolerance tolerance{key, toleranceBlue, toleranceGreen, toleranceRed};
  const std::vector<Rect> runs = OpaqueRuns(pixels.data(), w, h, w * 4, tolerance, x, y);
  for (size_t at = 0; at < runs.size(); at += kRectanglesPerRegion)
    UniteBatch(result, runs.data() + at, std::min(kRectanglesPerRegion, runs.size() - at));
  return result;
}

}  // namespace quonel
