// Where the pieces of a frame strip go: frame cells, the nine-slice and
// three-slice cuts, tiling steps and centring. Pure integer geometry; the
// GDI renderers only execute the copies listed here.
#pragma once
#include <array>
#include <cstddef>
#include <vector>

namespace quonel {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Right < Left or Bottom < Top: every renderer draws nothing.
  bool Inverted() const { return right < left || bottom < top; }
  bool operator==(const Rect&) const = default;
};

// Left, top, right, bottom: the fixed border of a frame.
struct Margins {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Margins&) const = default;
};

// One state image of a strip of count frames; index counts from 1.
struct FrameCell {
  int x = 0, y = 0, width = 0, height = 0;
};
// Surplus columns (rows) beyond count * frame width are never used. A count
// below 1 counts as 1 so that a malformed object never divides by zero.
FrameCell FrameOf(int bitmapWidth, int bitmapHeight, bool vertical, int count, int index);

struct PieceCopy {
  Rect dest;
  Rect source;
  bool tiled = false;  // the centre with tiling on: TileBitmap instead of a stretch
  bool operator==(const PieceCopy&) const = default;
};

// At most nine pieces, kept without allocating: a paint makes no heap calls.
class PieceList {
 public:
  void push_back(const PieceCopy& piece) { items_[count_++] = piece; }
  size_t size() const { return count_; }
  const PieceCopy& operator[](size_t i) const { return items_[i]; }
  const PieceCopy* begin() const { return items_.data(); }
  const PieceCopy* end() const { return items_.data() + count_; }

 private:
  std::array<PieceCopy, 9> items_{};
  size_t count_ = 0;
};

// The nine-slice of a frame into a width x height image, in drawing order:
// the right and bottom pieces follow the centre so that they cover tiles
// that ran past it. Margins that do not fit collapse to 0 per axis.
PieceList NineSlicePieces(int width, int height, const FrameCell& frame, Margins margins, bool tile);

// Left and right margins fixed, middle stretched, full height; a frame wider
// than the rectangle is stretched whole.
std::vector<PieceCopy> ThreeSlicePieces(const Rect& dest, const FrameCell& frame, const Margins& margins);

// The same cut with the middle repeated at its own width from x = left
// margin, into an image of width x height; the right margin comes last and
// covers the overrun. A middle of no width is left out.
std::vector<PieceCopy> TiledThreeSlicePieces(int width, int height, const FrameCell& frame, const Margins& margins);

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};
// Top-left corners of the tiles of a piece over a rectangle: columns from
// the left, rows within each column; the last ones may overrun. Empty for a
// piece with no area.
std::vector<Point> TilePositions(const Rect& area, int pieceWidth, int pieceHeight);

// Where an image of the given size sits centred in the rectangle; a larger
// image overhangs evenly (division truncating toward zero).
Point CentredOrigin(const Rect& area, int width, int height);

}  // namespace quonel
