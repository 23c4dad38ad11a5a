#include "app/state_images.h"

namespace quonel {
namespace {

using Drawing = const char* const[kStateImageSize];

constexpr bool RowsAreSixteenWide(const Drawing& drawing) {
  for (const char* row : drawing) {
    int length = 0;
    while (row[length]) ++length;
    if (length != kStateImageSize) return false;
  }
  return true;
}

// One character a pixel; ' ' is transparent.
constexpr Drawing kHourglass = {
    "                ", "  BBBBBBBBBBBB  ", "   BwwwwwwwwB   ", "   BwyyyyyywB   ",
    "    BwyyyywB    ", "     BwyywB     ", "      BwwB      ", "       BB       ",
    "       BB       ", "      BwwB      ", "     BwwywB     ", "    BwwyywwB    ",
    "   BwyyyyyywB   ", "   BwyyyyyywB   ", "  BBBBBBBBBBBB  ", "                "};
constexpr Drawing kTick = {
    "                ", "                ", "                ", "             GG ",
    "            GGg ", "           GGg  ", "          GGg   ", "  GG     GGg    ",
    "  gGG   GGg     ", "   gGG GGg      ", "    gGGGg       ", "     gGg        ",
    "      G         ", "                ", "                ", "                "};
constexpr Drawing kCross = {
    "                ", "                ", "  RR        RR  ", "  RRR      RRR  ",
    "   RRR    RRR   ", "    RRR  RRR    ", "     RRRRRR     ", "      RRRR      ",
    "      RRRR      ", "     RRRRRR     ", "    RRR  RRR    ", "   RRR    RRR   ",
    "  RRR      RRR  ", "  RR        RR  ", "                ", "                "};
constexpr Drawing kInformation = {
    "                ", "   KKKKKKKKKK   ", "  KwwwwwwwwwwK  ", " KwwwwwBBwwwwwK ",
    " KwwwwwBBwwwwwK ", " KwwwwwwwwwwwwK ", " KwwwwBBBwwwwwK ", " KwwwwwBBwwwwwK ",
    " KwwwwwBBwwwwwK ", " KwwwwwBBwwwwwK ", " KwwwwBBBBwwwwK ", "  KwwwwwwwwwwK  ",
    "   KKKwKKKKKK   ", "     KwK        ", "     KK         ", "                "};

static_assert(RowsAreSixteenWide(kHourglass) && RowsAreSixteenWide(kTick) &&
              RowsAreSixteenWide(kCross) && RowsAreSixteenWide(kInformation));

uint32_t Colour(char code) {
  switch (code) {
    case 'B': return 0x1E3CB4;  // blue
    case 'w': return 0xFFFFFF;
    case 'y': return 0xE6C850;  // sand
    case 'G': return 0x109010;  // green
    case 'g': return 0x70C870;  // anti-aliasing green
    case 'R': return 0xD01818;  // red
    case 'K': return 0x505050;  // outline
    default: return kStateImageTransparent;
  }
}

}  // namespace

std::array<uint32_t, kStateImageSize * kStateImageSize> StateImagePixels(StateImage image) {
  static const Drawing* const kDrawings[kStateImageCount] = {&kHourglass, &kTick, &kCross, &kInformation};
  const Drawing& drawing = *kDrawings[static_cast<int>(image)];
  std::array<uint32_t, kStateImageSize * kStateImageSize> pixels{};
  for (int y = 0; y < kStateImageSize; ++y)
    for (int x = 0; x < kStateImageSize; ++x) pixels[y * kStateImageSize + x] = Colour(drawing[y][x]);
  return pixels;
}

}  // namespace quonel
