#include "skin/gdi/builtin_images.h"

#include "skin/gdi/bitmap_transforms.h"

namespace quonel {

namespace {

// A sunken groove: shadow above, dark core, highlight below; the ends are
// the three-pixel margins the track object declares.
constexpr const char* kTrackRows[4] = {
    "GGGGGGGGGGGGGGGG",
    "GDDDDDDDDDDDDDDW",
    "GDDDDDDDDDDDDDDW",
    "WWWWWWWWWWWWWWWW",
};

constexpr const char* kGlyphRows[16] = {
    // restore         maximise          minimise          close
    "................................................................",
    "................................................................",
    "................................................................",
    ".....######.........#########..........................#.....#..",
    ".....######.........#########...........................#...#...",
    ".....#....#.........#.......#............................#.#....",
    "...######.#.........#.......#.............................#.....",
    "...######.#.........#.......#............................#.#....",
    "...#....###.........#.......#...........................#...#...",
    "...#....#...........#.......#..........................#.....#..",
    "...#....#...........#.......#...................................",
    "...######...........#########.........########..................",
    "......................................########..................",
    "................................................................",
    "................................................................",
    "................................................................",
};

TColor TrackColour(char c) {
  switch (c) {
    case 'G': return MakeColour(128, 128, 128);
    case 'D': return MakeColour(64, 64, 64);
    default: return clWhite;
  }
}

}  // namespace

SkinBitmap BuiltinTrackHorizontal() {
  SkinBitmap bitmap = SkinBitmap::Create(16, 4, 24);
  if (bitmap.Empty()) return bitmap;
  const PixelView view = bitmap.Pixels();
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 16; ++x) {
      const TColor c = TrackColour(kTrackRows[y][x]);
      WritePixelValue(view, x, y, static_cast<uint32_t>(BlueOf(c) | GreenOf(c) << 8 | RedOf(c) << 16));
    }
  return bitmap;
}

SkinBitmap BuiltinTrackVertical() {
  SkinBitmap bitmap = BuiltinTrackHorizontal();
  RotateBitmapLeft(bitmap);
  return bitmap;
}

SkinBitmap BuiltinMenuGlyphs() {
  // Entry 0 black, entry 1 white (blue-lowest order).
  SkinBitmap bitmap = SkinBitmap::Create(64, 16, 1, {0x000000, 0xFFFFFF});
  if (bitmap.Empty()) return bitmap;
  const PixelView view = bitmap.Pixels();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) WritePixelValue(view, x, y, kGlyphRows[y][x] == '#' ? 0 : 1);
  bitmap.transparent = true;
  bitmap.transparentColour = clWhite;
  return bitmap;
}

}  // namespace quonel
