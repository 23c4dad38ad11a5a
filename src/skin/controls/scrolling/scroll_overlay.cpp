#include "skin/controls/scrolling/scroll_overlay.h"

#include <windowsx.h>

#include "core/ascii_case.h"
#include "core/property_access.h"
#include "skin/controls/skin_control.h"
#include "ui/control.h"
#include "ui/objects_by_window.h"

namespace quonel {

namespace {

constexpr wchar_t kOverlayClass[] = L"TWScrollbar";

ObjectsByWindow<TWScrollbar>& Overlays() {
  static ObjectsByWindow<TWScrollbar> overlays;
  return overlays;
}

}  // namespace

void TWScrollbar::RegisterOverlayClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    // Double clicks arrive as such and are taken as a second button-down.
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &TWScrollbar::OverlayProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kOverlayClass;
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}

TWScrollbar::TWScrollbar(TSkinControl& owner) : owner_(owner), buttonSize_(GetSystemMetrics(SM_CXHSCROLL)) {}

TWScrollbar::~TWScrollbar() {
  if (handle_) {
    Overlays().Remove(handle_);
    const HWND window = handle_;
    handle_ = nullptr;
    DestroyWindow(window);
  }
}

void TWScrollbar::AttachToControl(TControl* control, Kind kind) {
  control_ = control;
  kind_ = kind;
  vertical_ = kind == kVerticalBar;
  if (kind == kScrollBarControl)
    vertical_ = AsciiLower(GetEnumPropText(control, L"Kind")) != L"sbhorizontal";
  Reposition();
}

void TWScrollbar::AttachToWindow(HWND window, Kind kind) {
  control_ = nullptr;
  kind_ = kind;
  vertical_ = kind == kVerticalBar;
  if (kind == kScrollBarControl) vertical_ = (GetWindowLongPtrW(window, GWL_STYLE) & SBS_VERT) != 0;
  Reposition();
}

HWND TWScrollbar::Target() const {
  const HWND target = owner_.Window();
  return target && IsWindow(target) ? target : nullptr;
}

bool TWScrollbar::EnsureWindow(HWND target) {
  const HWND parent = GetParent(target);
  if (!parent) return false;
  if (handle_) {
    if (GetParent(handle_) != parent) SetParent(handle_, parent);
    return true;
  }
  RegisterOverlayClass();
  const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kOverlayClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                      parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return false;
  handle_ = window;
  Overlays().Add(window, this);
  EnableWindow(window, enabled_);
  return true;
}

void TWScrollbar::Reposition() {
  BarState state;
  const HWND target = Target();
  if (!target || !ReadState(state)) {
    // Without the bar's state (or without GetScrollBarInfo) the platform's bar stays in view.
    HideBar();
    return;
  }
  if (!(GetWindowLongPtrW(target, GWL_STYLE) & WS_VISIBLE) || state.invisible) {
    HideBar();
    return;
  }
  POINT origin{state.bar.left, state.bar.top};
  const int width = state.bar.right - state.bar.left;
  const int height = state.bar.bottom - state.bar.top;
  if (kind_ == kScrollBarControl) {
    barRect_ = {0, 0, width, height};
  } else {
    barRect_ = state.bar;
    MapWindowPoints(nullptr, target, reinterpret_cast<POINT*>(&barRect_), 2);
    MapWindowPoints(nullptr, GetParent(target), &origin, 1);
  }
  length_ = state.length;
  if (!EnsureWindow(target)) return;
  PlaceAbove(target);
  RECT now{};
  GetWindowRect(handle_, &now);
  MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&now), 2);
  const bool moved = now.left != origin.x || now.top != origin.y || now.right - now.left != width ||
                     now.bottom - now.top != height;
  if (moved) MoveWindow(handle_, origin.x, origin.y, width, height, TRUE);
  if (!shown_ || !IsWindowVisible(handle_)) ShowWindow(handle_, SW_SHOWNA);
  shown_ = true;
  Repaint();
}

void TWScrollbar::PlaceAbove(HWND target) {
  // Our overlays directly above the target are in place; anything else
  // between them and the target, or the overlay below it, is not.
  for (HWND above = GetWindow(target, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    if (above == handle_) return;
    TWScrollbar* overlay = Overlays().Find(above);
    if (!overlay || overlay->Target() != target) break;
  }
  const HWND previous = GetWindow(target, GW_HWNDPREV);
  SetWindowPos(handle_, previous && previous != handle_ ? previous : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWScrollbar::HideBar() {
  if (handle_ && IsWindowVisible(handle_)) ShowWindow(handle_, SW_HIDE);
  shown_ = false;
}

void TWScrollbar::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (handle_) EnableWindow(handle_, enabled);
}

ScrollPart TWScrollbar::HitTest(POINT point) {
  BarState state;
  if (!ReadState(state)) return kScrollNone;
  return ScrollHitTest({state.length, buttonSize_, state.thumb}, vertical_ ? point.y : point.x);
}

void TWScrollbar::SetHotPart(int part) {
  hotPart_ = part;
  Repaint();
}

void TWScrollbar::Repaint() {
  if (!handle_ || !shown_) return;
  bool changed = false;
  if (!Compose(&changed) || !changed) return;
  if (HDC dc = GetDC(handle_)) {
    Paint(dc);
    ReleaseDC(handle_, dc);
  }
}

LRESULT CALLBACK TWScrollbar::OverlayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWScrollbar* overlay = Overlays().Find(window);
  if (!overlay) return DefWindowProcW(window, message, wParam, lParam);
  return overlay->HandleMessage(message, wParam, lParam);
}

LRESULT TWScrollbar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = handle_;
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel: no flicker
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(window, &paint)) {
        Paint(dc);
        EndPaint(window, &paint);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(point);
      return 0;
    case WM_MOUSELEAVE:
      MouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ButtonDown(point);
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(point);
      return 0;
    case WM_NCDESTROY:
      // The parent went first: the window is gone, the object stays with its owner.
      Overlays().Remove(window);
      handle_ = nullptr;
      shown_ = false;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void TWScrollbar::MouseMove(POINT point) {
  const int hit = HitTest(point);
  if (hit != hotPart_) SetHotPart(hit);
  if (!leaveRequested_) {
    TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, handle_, 0};
    leaveRequested_ = TrackMouseEvent(&request) != FALSE;
  }
}

void TWScrollbar::MouseLeave() {
  leaveRequested_ = false;
  if (!tracking_) SetHotPart(kScrollNone);
}

void TWScrollbar::ButtonDown(POINT point) {
  GetCursorPos(&dragStartCursor_);
  BarState state;
  const bool known = ReadState(state);
  if (known) {
    dragStartThumb_ = state.thumb.start;
    dragThumb_ = state.thumb;
  }
  hotPart_ = known ? ScrollHitTest({state.length, buttonSize_, state.thumb}, vertical_ ? point.y : point.x)
                   : kScrollNone;
  POINT sent = point;
  if (kind_ != kScrollBarControl && known) {
    barOrigin_ = {state.bar.left, state.bar.top};
    sent = {point.x + barOrigin_.x, point.y + barOrigin_.y};
  }
  tracking_ = true;
  Repaint();
  ReleaseCapture();
  const HWND target = Target();
  if (target) {
    // The platform tracks the mouse until the button goes up; meanwhile the
    // target's scroll notifications set the hot part.
    const TLiveness::Watch alive = liveness_.Observe();
    if (kind_ == kScrollBarControl)
      SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    else
      SendMessageW(target, WM_NCLBUTTONDOWN, vertical_ ? HTVSCROLL : HTHSCROLL, MAKELPARAM(sent.x, sent.y));
    // Anything may have happened in the platform's loop: the owner skin may
    // have gone with this overlay, or the target window may have.
    if (!alive.Alive()) return;
  }
  tracking_ = false;
  ReleaseCapture();
  if (!Target() || Target() != target) {
    HideBar();
    return;
  }
  Repaint();
}

void TWScrollbar::ButtonUp(POINT point) {
  const HWND target = Target();
  tracking_ = false;
  ReleaseCapture();
  if (!target) return;
  if (kind_ == kScrollBarControl) {
    PostMessageW(target, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    Repaint();
  } else {
    POINT screen = point;
    ClientToScreen(handle_, &screen);
    PostMessageW(target, WM_NCLBUTTONUP, vertical_ ? HTVSCROLL : HTHSCROLL, MAKELPARAM(screen.x, screen.y));
  }
}

}  // namespace quonel
