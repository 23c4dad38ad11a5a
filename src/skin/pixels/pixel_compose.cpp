#include "skin/pixels/pixel_compose.h"

#include <algorithm>
#include <cstring>

namespace quonel {

namespace {

bool Inside(const PixelView& v, const Rect& r) {
  return r.left >= 0 && r.top >= 0 && r.right <= v.width && r.bottom <= v.height;
}

// Short copies in fixed 16-byte steps, which compilers inline: a frame paint
// is hundreds of copies of a few dozen bytes, where a library call per copy
// costs more than the copying.
inline void CopyBytes(uint8_t* to, const uint8_t* from, size_t count) {
  if (count >= 16) {
    // Whole 16-byte steps, then one last step that overlaps the previous.
    const uint8_t* const last = from + count - 16;
    uint8_t* const lastTo = to + count - 16;
    while (from < last) {
      std::memcpy(to, from, 16);
      to += 16;
      from += 16;
    }
    std::memcpy(lastTo, last, 16);
    return;
  }
  if (count >= 8) {
    std::memcpy(to, from, 8);
    std::memcpy(to + count - 8, from + count - 8, 8);
    return;
  }
  for (size_t i = 0; i < count; ++i) to[i] = from[i];
}
}  // namespace

void CopyPieceScaled(const PixelView& src, const Rect& s, const PixelView& dst, const Rect& d) {
  const int sw = s.Width(), sh = s.Height(), dw = d.Width(), dh = d.Height();
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0 || !Inside(src, s)) return;
  const int x0 = std::max(d.left, 0), x1 = std::min(d.right, dst.width);
  const int y0 = std::max(d.top, 0), y1 = std::min(d.bottom, dst.height);
  if (x0 >= x1 || y0 >= y1) return;
  if (sw == dw && sh == dh) {
    const size_t bytes = static_cast<size_t>(x1 - x0) * 3;
    for (int y = y0; y < y1; ++y)
      CopyBytes(dst.Row(y) + 3 * x0, src.Row(s.top + (y - d.top)) + 3 * (s.left + (x0 - d.left)), bytes);
    return;
  }
  // Sample the source at the centre of each destination pixel.
  for (int y = y0; y < y1; ++y) {
    const int sy = s.top + static_cast<int>((2ll * (y - d.top) + 1) * sh / (2ll * dh));
    const uint8_t* from = src.Row(sy);
    uint8_t* to = dst.Row(y) + 3 * x0;
    for (int x = x0; x < x1; ++x, to += 3) {
      const int sx = s.left + static_cast<int>((2ll * (x - d.left) + 1) * sw / (2ll * dw));
      std::memcpy(to, from + 3 * sx, 3);
    }
  }
}

void TilePiece(const PixelView& src, const Rect& s, const PixelView& dst, const Rect& area) {
  const int w = s.Width(), h = s.Height();
  if (w <= 0 || h <= 0 || !Inside(src, s) || area.Width() <= 0 || area.Height() <= 0) return;
  // Tiles start at area's top-left and the last column and row run past the
  // area; only dst clips them.
  const int columns = (area.Width() + w - 1) / w;
  const int rows = (area.Height() + h - 1) / h;
  const int x0 = std::max(area.left, 0);
  const int x1 = std::min(area.left + columns * w, dst.width);
  const int y0 = std::max(area.top, 0);
  const int y1 = std::min(area.top + rows * h, dst.height);
  if (x0 >= x1 || y0 >= y1) return;
  for (int y = y0; y < y1; ++y) {
    const uint8_t* from = src.Row(s.top + (y - area.top) % h);
    uint8_t* row = dst.Row(y);
    // The source row pattern, from the phase where x0 falls in its tile.
    int x = x0;
    const int phase = (x0 - area.left) % w;
    const int first = std::min(w - phase, x1 - x0);
    CopyBytes(row + 3 * x, from + 3 * (s.left + phase), static_cast<size_t>(first) * 3);
    x += first;
    while (x < x1) {
      const int count = std::min(w, x1 - x);
      CopyBytes(row + 3 * x, from + 3 * s.left, static_cast<size_t>(count) * 3);
      x += count;
    }
  }
}

void ComposeNineSlice(const PixelView& src, const FrameCell& f, const Margins& margins, bool tile,
                      const PixelView& dst) {
  for (const PieceCopy& piece : NineSlicePieces(dst.width, dst.height, f, margins, tile)) {
    if (piece.tiled) TilePiece(src, piece.source, dst, piece.dest);
    else CopyPieceScaled(src, piece.source, dst, piece.dest);
  }
}

}  // namespace quonel
