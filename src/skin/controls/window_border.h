// The border a window really has: its rectangle minus its client rectangle
// minus its shown scroll bars. A skin border is drawn only within it, so
// that a 2- or 3-pixel skin border never paints over client pixels of a
// window whose own border is 1 pixel wide.
#pragma once
#include <windows.h>

#include <initializer_list>

#include "core/color.h"

namespace quonel {

// The narrowest side of the non-client border, 0 for a borderless window.
int NonClientBorderWidth(HWND window);

// Rectangle outlines from the outside in, one colour a line, at most
// `available` of them; rect is in the DC's coordinates.
void DrawBorderLines(HDC dc, RECT rect, std::initializer_list<TColor> lines, int available);

}  // namespace quonel
