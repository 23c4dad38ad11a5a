#include "skin/gdi/skin_renderers.h"

#include <memory>

#include "skin/gdi/bitmap_transforms.h"
#include "skin/pixels/gradient.h"
#include "skin/pixels/pixel_compose.h"
#include "skin/gdi/transparent_blit.h"

namespace quonel {

namespace {

void StretchPiece(HDC dest, HDC source, const PieceCopy& piece) {
  const Rect& d = piece.dest;
  const Rect& s = piece.source;
  if (d.Width() <= 0 || d.Height() <= 0 || s.Width() <= 0 || s.Height() <= 0) return;
  if (d.Width() == s.Width() && d.Height() == s.Height()) {
    BitBlt(dest, d.left, d.top, d.Width(), d.Height(), source, s.left, s.top, SRCCOPY);
  } else {
    StretchBlt(dest, d.left, d.top, d.Width(), d.Height(), source, s.left, s.top, s.Width(), s.Height(), SRCCOPY);
  }
}

FrameCell Cell(const SkinBitmap& bitmap, bool vertical, int count, int index) {
  return FrameOf(bitmap.Width(), bitmap.Height(), vertical, count, index);
}

// Frame index stretched into a new bitmap of the rectangle's size.
SkinBitmap StretchedFrame(const Rect& rect, const SkinBitmap& bitmap, int count, int index) {
  SkinBitmap result = SkinBitmap::Create(rect.Width(), rect.Height());
  if (result.Empty()) return result;
  const FrameCell f = Cell(bitmap, false, count, index);
  BitmapDc dest(result);
  BitmapDc source(bitmap);
  SetStretchBltMode(dest.Get(), COLORONCOLOR);
  StretchPiece(dest.Get(), source.Get(), {{0, 0, rect.Width(), rect.Height()}, {f.x, f.y, f.x + f.width, f.y + f.height}});
  return result;
}

// The source's pixels at 24 bits: its own, or those of a converted copy.
struct Source24 {
  SkinBitmap converted;
  PixelView view;
};
Source24 As24(const SkinBitmap& bitmap) {
  if (bitmap.BitsPerPixel() == 24) return {SkinBitmap(), bitmap.Pixels()};
  SkinBitmap copy = CopyAs24(bitmap);
  const PixelView view = copy.Pixels();
  return {std::move(copy), view};
}

// A reusable off-screen surface, kept selected in its own DC, so that a paint
// makes no GDI objects: compose into it, then one blit to the device.
class ScratchSurface {
 public:
  static ScratchSurface& AtLeast(int width, int height) {
    thread_local ScratchSurface surface;
    if (surface.bitmap_.Width() < width || surface.bitmap_.Height() < height) {
      surface.dc_.reset();
      surface.bitmap_ = SkinBitmap::Create(std::max(width, surface.bitmap_.Width()),
                                           std::max(height, surface.bitmap_.Height()));
      if (!surface.bitmap_.Empty()) surface.dc_ = std::make_unique<BitmapDc>(surface.bitmap_);
    }
    return surface;
  }
  bool Ready() const { return dc_ != nullptr; }
  HDC Dc() const { return dc_->Get(); }
  // The top-left width x height of the surface.
  PixelView View(int width, int height) const {
    PixelView view = bitmap_.Pixels();
    view.width = width;
    view.height = height;
    return view;
  }

 private:
  SkinBitmap bitmap_;
  std::unique_ptr<BitmapDc> dc_;
};

void PlainCopy(HDC dc, const Rect& rect, const SkinBitmap& image) {
  BitmapDc source(image);
  BitBlt(dc, rect.left, rect.top, image.Width(), image.Height(), source.Get(), 0, 0, SRCCOPY);
}

void Present(HDC dc, const Rect& at, const SkinBitmap& image, bool transparent) {
  if (image.Empty()) return;
  const Rect whole{at.left, at.top, at.left + image.Width(), at.top + image.Height()};
  if (transparent) TransparentBlit(dc, whole, image, clMagenta);
  else PlainCopy(dc, whole, image);
}

}  // namespace

namespace {
// The tiling itself, from a DC that already holds the source bitmap (a
// bitmap can be selected into one DC only).
void TileFromDc(HDC dc, const Rect& rect, HDC source, const Rect& piece) {
  const int w = piece.Width(), h = piece.Height();
  if (w <= 0 || h <= 0) return;
  SkinBitmap tile = SkinBitmap::Create(w, h);
  if (tile.Empty()) return;
  BitmapDc tileDc(tile);
  BitBlt(tileDc.Get(), 0, 0, w, h, source, piece.left, piece.top, SRCCOPY);
  for (const Point& p : TilePositions(rect, w, h)) BitBlt(dc, p.x, p.y, w, h, tileDc.Get(), 0, 0, SRCCOPY);
}
}  // namespace

void TileBitmap(HDC dc, const Rect& rect, const SkinBitmap& bitmap, const Rect& source) {
  if (bitmap.Empty()) return;
  BitmapDc from(bitmap);
  TileFromDc(dc, rect, from.Get(), source);
}

SkinBitmap BuildSkinImage(const Rect& rect, const StripFrame& frame) {
  SkinBitmap result = SkinBitmap::Create(rect.Width(), rect.Height());
  if (result.Empty() || frame.bitmap.Empty()) return result;
  const Source24 source = As24(frame.bitmap);
  ComposeNineSlice(source.view, Cell(frame.bitmap, frame.vertical, frame.count, frame.index), frame.margins, frame.tile,
                   result.Pixels());
  return result;
}

void DrawSkinImage(HDC dc, const Rect& rect, const StripFrame& frame) {
  if (rect.Inverted() || frame.bitmap.Empty() || rect.Width() == 0 || rect.Height() == 0) return;
  ScratchSurface& scratch = ScratchSurface::AtLeast(rect.Width(), rect.Height());
  if (!scratch.Ready()) return;
  const PixelView target = scratch.View(rect.Width(), rect.Height());
  const Source24 source = As24(frame.bitmap);
  ComposeNineSlice(source.view, Cell(frame.bitmap, frame.vertical, frame.count, frame.index), frame.margins, frame.tile,
                   target);
  if (frame.transparent) {
    TransparentBlitFromDc(dc, rect, scratch.Dc(), target, {}, clMagenta);
  } else {
    BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), scratch.Dc(), 0, 0, SRCCOPY);
  }
}

void DrawFrameStretched(HDC dc, const Rect& rect, const StripFrame& frame) {
  if (rect.Inverted() || frame.bitmap.Empty()) return;
  Present(dc, rect, StretchedFrame(rect, frame.bitmap, frame.count, frame.index), frame.transparent);
}

void DrawFrameCentered(HDC dc, const Rect& rect, const StripFrame& strip) {
  const SkinBitmap& bitmap = strip.bitmap;
  if (rect.Inverted() || bitmap.Empty()) return;
  const FrameCell f = Cell(bitmap, false, strip.count, strip.index);
  SkinBitmap frame = SkinBitmap::Create(f.width, f.height);
  if (frame.Empty()) return;
  {
    BitmapDc to(frame);
    BitmapDc from(bitmap);
    BitBlt(to.Get(), 0, 0, f.width, f.height, from.Get(), f.x, f.y, SRCCOPY);
  }
  const Point at = CentredOrigin(rect, f.width, f.height);
  Present(dc, {at.x, at.y, at.x + f.width, at.y + f.height}, frame, strip.transparent);
}

void DrawFrameThreeSlice(HDC dc, const Rect& rect, const StripFrame& frame) {
  if (rect.Inverted() || frame.bitmap.Empty()) return;
  const FrameCell f = Cell(frame.bitmap, frame.vertical, frame.count, frame.index);
  BitmapDc source(frame.bitmap);
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  for (const PieceCopy& piece : ThreeSlicePieces(rect, f, frame.margins)) StretchPiece(dc, source.Get(), piece);
  SetStretchBltMode(dc, oldMode);
}

void DrawFrameTiled(HDC dc, const Rect& rect, const StripFrame& frame) {
  if (rect.Inverted() || frame.bitmap.Empty()) return;
  SkinBitmap image = SkinBitmap::Create(rect.Width(), rect.Height());
  if (image.Empty()) return;
  {
    const FrameCell f = Cell(frame.bitmap, frame.vertical, frame.count, frame.index);
    BitmapDc dest(image);
    BitmapDc source(frame.bitmap);
    SetStretchBltMode(dest.Get(), COLORONCOLOR);
    for (const PieceCopy& piece : TiledThreeSlicePieces(rect.Width(), rect.Height(), f, frame.margins))
      StretchPiece(dest.Get(), source.Get(), piece);
  }
  Present(dc, rect, image, frame.transparent);
}

void GradientFill(HDC dc, const Rect& rect, TColor startColour, bool vertical, TColor endColour) {
  RECT r = ToRECT(rect);
  if (!RectVisible(dc, &r)) return;
  const TColor start = ColorToRGB(startColour), end = ColorToRGB(endColour);
  RECT clip{};
  GetClipBox(dc, &clip);
  const BandRange bands = GradientBands(rect, FromRECT(clip), vertical);
  if (bands.count <= 0) return;
  GradientTableCache& cache = SharedGradientCache();
  const std::vector<TColor>& table = cache.Table(cache.GetGradientTable(bands.count, start, end));
  for (int band = bands.first; band <= bands.last; ++band) {
    const RECT line = vertical ? RECT{rect.left, rect.top + band, rect.right, rect.top + band + 1}
                               : RECT{rect.left + band, rect.top, rect.left + band + 1, rect.bottom};
    OwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(table[band])));
    FillRect(dc, &line, brush.Get());
  }
}

void FillWithColor(HDC dc, const Rect& rect, TColor colour) {
  if (rect.Inverted()) return;
  OwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(colour))));
  const RECT r = ToRECT(rect);
  FillRect(dc, &r, brush.Get());
}

}  // namespace quonel
