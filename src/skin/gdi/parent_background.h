// Painting what lies under a control: its parent paints itself into the
// control's DC, shifted so that the control's corner is at (0, 0).
#pragma once
#include <windows.h>

namespace quonel {

void DrawParentBackground(HWND control, HDC dc);

}  // namespace quonel
