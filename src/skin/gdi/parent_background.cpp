#include "skin/gdi/parent_background.h"

#include "core/win32_owners.h"

namespace quonel {

void DrawParentBackground(HWND control, HDC dc) {
  const HWND parent = GetParent(control);
  if (!parent) return;
  RECT client{};
  GetClientRect(control, &client);
  RECT window{};
  GetWindowRect(control, &window);
  POINT corner{window.left, window.top};
  ScreenToClient(parent, &corner);
  SavedDcState saved(dc);
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - corner.x, origin.y - corner.y, nullptr);
  OffsetRect(&client, corner.x, corner.y);
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  // Straight to the parent's window procedure: no queue, no validation.
  const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(parent, GWLP_WNDPROC));
  const WPARAM target = reinterpret_cast<WPARAM>(dc);
  CallWindowProcW(procedure, parent, WM_ERASEBKGND, target, 0);
  CallWindowProcW(procedure, parent, WM_PAINT, target, 0);
}

}  // namespace quonel
