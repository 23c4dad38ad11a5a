#include "skin/controls/window_border.h"

#include <algorithm>

#include "core/win32_owners.h"
#include "skin/data/skin_data.h"

namespace quonel {

namespace {

// The shown bar's thickness across its axis, or 0.
int ShownBarThickness(HWND window, LONG object, bool vertical) {
  if (const auto function = PlatformScrollBarInfo()) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (!function(window, object, &info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return 0;
    return vertical ? info.rcScrollBar.right - info.rcScrollBar.left : info.rcScrollBar.bottom - info.rcScrollBar.top;
  }
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (vertical) return (style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  return (style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0;
}

}  // namespace

int NonClientBorderWidth(HWND window) {
  RECT outer{}, client{};
  if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client)) return 0;
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  int left = client.left - outer.left, top = client.top - outer.top;
  int right = outer.right - client.right, bottom = outer.bottom - client.bottom;
  const int vertical = ShownBarThickness(window, OBJID_VSCROLL, true);
  if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) left -= vertical;
  else right -= vertical;
  bottom -= ShownBarThickness(window, OBJID_HSCROLL, false);
  return std::max(0, std::min({left, top, right, bottom}));
}

void DrawBorderLines(HDC dc, RECT rect, std::initializer_list<TColor> lines, int available) {
  int drawn = 0;
  for (TColor colour : lines) {
    if (drawn++ >= available || rect.right <= rect.left || rect.bottom <= rect.top) return;
    OwnedBrush brush(CreateSolidBrush(ColorToRGB(colour)));
    FrameRect(dc, &rect, brush.Get());
    InflateRect(&rect, -1, -1);
  }
}

}  // namespace quonel
