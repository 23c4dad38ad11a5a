// Prints what drawing the caption strip costs relative to one plain blit of
// the same size on the same device, and how long building every skin object
// from the built-in skin takes (archive decode included).
// Usage: skin_draw_bench SKIN [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "skin/data/skin_data.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/skin_bench_support.h"

using namespace quonel;
using bench::Now;

namespace {


// The best of several batches: the figure least disturbed by other work.
template <typename Work>
double SecondsPerCall(int batches, int calls, Work work) {
  double best = 1e9;
  for (int b = 0; b < batches; ++b) {
    const double start = Now();
    for (int i = 0; i < calls; ++i) work();
    best = std::min(best, (Now() - start) / calls);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: skin_draw_bench SKIN [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  const std::string archive = bench::ReadFileBytes(argv[1]);

  TSkinData data(nullptr);
  data.SetSkinStream(archive);
  const double build = SecondsPerCall(rounds, 1, [&] { data.LoadSkin(); });
  if (data.Empty()) {
    std::fprintf(stderr, "skin_draw_bench: %s is not a usable skin\n", argv[1]);
    return 1;
  }
  const TDataSkinObject& top = data.Edge(FrameEdge::Top);
  const Rect strip{0, 0, 418, 24};

  // The device: a 24-bit off-screen surface, as the frame painter composes on.
  SkinBitmap surface = SkinBitmap::Create(640, 480);
  BitmapDc device(surface);
  SkinBitmap source = SkinBitmap::Create(418, 24);
  source.Fill(0x336699);
  BitmapDc sourceDc(source);

  const int calls = 200 * rounds;
  const double blit = SecondsPerCall(5, calls, [&] {
    BitBlt(device.Get(), 0, 0, 418, 24, sourceDc.Get(), 0, 0, SRCCOPY);
    GdiFlush();
  });
  // The edge's middle is tiled when its stretch flag is 0, as the frame draws it.
  const bool tile = top.Tile == 0;
  const double draw = SecondsPerCall(5, calls, [&] {
    DrawSkinImage(device.Get(), strip, {.bitmap = top.Image, .count = top.Frames, .index = 1, .margins = top.Margins, .vertical = true, .tile = tile, .transparent = top.Trans != 0});
    GdiFlush();
  });
  std::printf("DrawSkinImage caption strip 418x24 (%s middle): %.1f us, BitBlt 418x24: %.1f us, ratio %.2fx\n",
              tile ? "tiled" : "stretched", draw * 1e6, blit * 1e6, draw / blit);
  std::printf("build all skin objects from the built-in skin (decode included): %.2f ms\n", build * 1e3);
  return 0;
}
