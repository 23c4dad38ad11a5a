#include "skin/controls/window_border.h"

#include "skin/controls/border_lines.h"
#include "skin/gdi/skin_renderers.h"

namespace quonel {

Margins RealBorderWidths(HWND window) {
  RECT outer{}, client{};
  if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client)) return {};
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  Margins border{origin.x - outer.left, origin.y - outer.top, outer.right - (origin.x + client.right),
                 outer.bottom - (origin.y + client.bottom)};
  // The system shows a bar by setting its style bit; the bar lies between
  // the client area and the border.
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (style & WS_VSCROLL) {
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) border.left -= width;
    else border.right -= width;
  }
  if (style & WS_HSCROLL) border.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  return border;
}

void PaintBorderLines(HDC dc, const Rect& window, const Margins& realBorder, std::initializer_list<TColor> colours) {
  const Margins fitted = FitBorderLines(realBorder, static_cast<int>(colours.size()));
  int line = 0;
  for (TColor colour : colours) {
    const BorderStrips strips = BorderLineStrips(window, fitted, line++);
    for (int i = 0; i < strips.count; ++i) FillWithColor(dc, strips.strips[static_cast<size_t>(i)], colour);
  }
}

}  // namespace quonel
