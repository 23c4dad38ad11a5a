// The border a window really has, and a skin border of one-pixel lines
// painted within it (see border_lines.h).
#pragma once
#include <windows.h>

#include <initializer_list>

#include "skin/pixels/colour_math.h"
#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

// Window rectangle minus client rectangle, minus the scroll bars, per side.
Margins RealBorderWidths(HWND window);

// Line i of the border in colours[i], outermost first, only where the real
// border has room; window is the window's rectangle in dc's coordinates.
void PaintBorderLines(HDC dc, const Rect& window, const Margins& realBorder, std::initializer_list<TColor> colours);

}  // namespace quonel
