#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

FrameCell FrameOf(int bitmapWidth, int bitmapHeight, bool vertical, int count, int index) {
  if (count < 1) count = 1;
  FrameCell cell;
  if (vertical) {
    cell.width = bitmapWidth;
    cell.height = bitmapHeight / count;
    cell.y = cell.height * (index - 1);
  } else {
    cell.width = bitmapWidth / count;
    cell.height = bitmapHeight;
    cell.x = cell.width * (index - 1);
  }
  return cell;
}

PieceList NineSlicePieces(int width, int height, const FrameCell& f, Margins m, bool tile) {
  PieceList pieces;
  if (width < m.left + m.right) m.left = m.right = 0;
  if (height < m.top + m.bottom) m.top = m.bottom = 0;
  const int W = width, H = height;
  const int x0 = f.x, y0 = f.y, fw = f.width, fh = f.height;
  const int L = m.left, T = m.top, R = m.right, B = m.bottom;
  auto add = [&](Rect dest, Rect source, bool tiled = false) { pieces.push_back({dest, source, tiled}); };
  if (L * T > 0) add({0, 0, L, T}, {x0, y0, x0 + L, y0 + T});
  if (L * B > 0) add({0, H - B, L, H}, {x0, y0 + fh - B, x0 + L, y0 + fh});
  if (R * T > 0) add({W - R, 0, W, T}, {x0 + fw - R, y0, x0 + fw, y0 + T});
  if (L > 0) add({0, T, L, H - B}, {x0, y0 + T, x0 + L, y0 + fh - B});
  if (T > 0) add({L, 0, W - R, T}, {x0 + L, y0, x0 + fw - R, y0 + T});
  add({L, T, W - R, H - B}, {x0 + L, y0 + T, x0 + fw - R, y0 + fh - B}, tile);
  if (R * B > 0) add({W - R, H - B, W, H}, {x0 + fw - R, y0 + fh - B, x0 + fw, y0 + fh});
  if (R > 0) add({W - R, T, W, H - B}, {x0 + fw - R, y0 + T, x0 + fw, y0 + fh - B});
  if (B > 0) add({L, H - B, W - R, H}, {x0 + L, y0 + fh - B, x0 + fw - R, y0 + fh});
  return pieces;
}

std::vector<PieceCopy> ThreeSlicePieces(const Rect& d, const FrameCell& f, const Margins& m) {
  const Rect whole{f.x, f.y, f.x + f.width, f.y + f.height};
  if (f.width > d.Width()) return {{d, whole}};
  const int Lm = m.left, Rm = m.right;
  return {
      {{d.left, d.top, d.left + Lm, d.bottom}, {f.x, f.y, f.x + Lm, whole.bottom}},
      {{d.left + Lm, d.top, d.right - Rm, d.bottom}, {f.x + Lm, f.y, whole.right - Rm, whole.bottom}},
      {{d.right - Rm, d.top, d.right, d.bottom}, {whole.right - Rm, f.y, whole.right, whole.bottom}},
  };
}

std::vector<PieceCopy> TiledThreeSlicePieces(int width, int height, const FrameCell& f, const Margins& m) {
  std::vector<PieceCopy> pieces;
  const int Lm = m.left, Rm = m.right;
  const int top = f.y, bottom = f.y + f.height;
  pieces.push_back({{0, 0, Lm, height}, {f.x, top, f.x + Lm, bottom}});
  const int middle = f.width - Lm - Rm;
  // A middle of no width would never advance.
  if (middle > 0) {
    for (int x = Lm; x < width - Rm; x += middle)
      pieces.push_back({{x, 0, x + middle, height}, {f.x + Lm, top, f.x + Lm + middle, bottom}});
  }
  pieces.push_back({{width - Rm, 0, width, height}, {f.x + f.width - Rm, top, f.x + f.width, bottom}});
  return pieces;
}

std::vector<Point> TilePositions(const Rect& area, int pieceWidth, int pieceHeight) {
  std::vector<Point> points;
  if (pieceWidth <= 0 || pieceHeight <= 0) return points;
  for (int x = area.left; x < area.right; x += pieceWidth)
    for (int y = area.top; y < area.bottom; y += pieceHeight) points.push_back({x, y});
  return points;
}

Point CentredOrigin(const Rect& area, int width, int height) {
  return {area.left + (area.Width() - width) / 2, area.top + (area.Height() - height) / 2};
}

}  // namespace quonel
