// A skin border of one-pixel lines, outermost first, drawn only where the
// window really has a border: each side gets as many lines as its real
// border width holds, so that no line falls on client pixels and the
// window keeps its client size. Platform-free.
#pragma once
#include <array>

#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

// The lines of a `lines`-line border that fit each side of realBorder.
Margins FitBorderLines(const Margins& realBorder, int lines);

// The strips of line `line` (0 the outermost) around window, on the sides
// whose fitted count reaches it.
struct BorderStrips {
  std::array<Rect, 4> strips{};
  int count = 0;
};
BorderStrips BorderLineStrips(const Rect& window, const Margins& fitted, int line);

}  // namespace quonel
