#include "skin/controls/text_entry/skin_date_time.h"

#include <windowsx.h>

#include "core/win32_owners.h"
#include "skin/controls/window_border.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/skin_renderers.h"

namespace quonel {

namespace {

constexpr wchar_t kArrowClass[] = L"QuonelSkinArrowButton";

bool RegisterArrowClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = kArrowClass;
    return RegisterClassExW(&type) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

}  // namespace

TArrowButton::TArrowButton(HWND target, const TSkinData& data)
    : target_(target), data_(data), size_(GetSystemMetrics(SM_CXHSCROLL)) {
  if (!RegisterArrowClass(&TArrowButton::Procedure)) return;
  // The picker's painting must not cover the button.
  const LONG_PTR style = GetWindowLongPtrW(target, GWL_STYLE);
  clipChildrenAdded_ = (style & WS_CLIPCHILDREN) == 0;
  if (clipChildrenAdded_) SetWindowLongPtrW(target, GWL_STYLE, style | WS_CLIPCHILDREN);
  CreateWindowExW(0, kArrowClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, size_, size_ + 1, target, nullptr,
                  GetModuleHandleW(nullptr), this);
  Place();
}

TArrowButton::~TArrowButton() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  // The picker gets its own style back.
  if (clipChildrenAdded_ && IsWindow(target_))
    SetWindowLongPtrW(target_, GWL_STYLE, GetWindowLongPtrW(target_, GWL_STYLE) & ~WS_CLIPCHILDREN);
}

void TArrowButton::Place() {
  if (!window_) return;
  RECT outer{};
  GetWindowRect(target_, &outer);
  const bool atLeft = (GetWindowLongPtrW(target_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  const int x = atLeft ? 2 : outer.right - outer.left - size_ - 4;
  SetWindowPos(window_, HWND_TOP, x, 0, size_, size_ + 1, SWP_NOACTIVATE);
}

void TArrowButton::Repaint() {
  if (window_) InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK TArrowButton::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TArrowButton*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TArrowButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The picker went first and took its children along.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT TArrowButton::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (wParam) {
        Paint(reinterpret_cast<HDC>(wParam));
      } else {
        PaintScope paint(window_);
        Paint(paint.Get());
      }
      return 0;
    case WM_MOUSEMOVE:
      if (!hot_) {
        hot_ = true;
        Repaint();
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        TrackMouseEvent(&track);
      }
      return 0;
    case WM_MOUSELEAVE:
      hot_ = false;
      Repaint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Click(lParam);
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void TArrowButton::Paint(HDC dc) {
  RECT client{};
  GetClientRect(window_, &client);
  const Rect area = FromRECT(client);
  SkinBitmap picture = SkinBitmap::Create(area.Width(), area.Height());
  if (picture.Empty()) return;
  {
    BitmapDc memory(picture);
    FillWithColor(memory.Get(), area, data_.Colours().ButtonFace);
    if (const TDataSkinObject* arrow = data_.ComboxArrow(); arrow && !arrow->Image.Empty()) {
      StripFrame frame{arrow->Image};
      frame.count = arrow->Frames;
      frame.index = hot_ ? 4 : 1;
      frame.transparent = true;
      DrawFrameStretched(memory.Get(), area, frame);
    }
    BitBlt(dc, 0, 0, area.Width(), area.Height(), memory.Get(), 0, 0, SRCCOPY);
  }
}

void TArrowButton::Click(LPARAM point) {
  POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  MapWindowPoints(window_, target_, &at, 1);
  const LPARAM forwarded = MAKELPARAM(at.x, at.y);
  PostMessageW(target_, WM_LBUTTONDOWN, MK_LBUTTON, forwarded);
  PostMessageW(target_, WM_LBUTTONUP, 0, forwarded);
  SetFocus(target_);
}

void TSkinDateTime::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  TSkinControl::Attach(control, data, form, recolour);
  AddArrow();
}

void TSkinDateTime::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  TSkinControl::AttachHandle(window, data, form);
  AddArrow();
}

void TSkinDateTime::AddArrow() {
  const HWND picker = Window();
  if (GetLifeState() != kAttached || !picker || arrow_) return;
  auto arrow = std::make_unique<TArrowButton>(picker, *SkinData());
  if (arrow->Window()) arrow_ = std::move(arrow);
}

void TSkinDateTime::Detach() {
  arrow_.reset();
  TSkinControl::Detach();
}

void TSkinDateTime::SkinChanged() {
  if (arrow_) arrow_->Repaint();
  TSkinControl::SkinChanged();
}

void TSkinDateTime::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE:
    case WM_STYLECHANGED:
      if (arrow_) arrow_->Place();
      break;
    case WM_NCPAINT:
      PaintFrame(nullptr);
      return;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinDateTime::PaintSkin(HDC dc, const RECT& rect) {
  const HWND picker = Window();
  if (!picker || !SkinData()) return;
  RECT client{};
  GetClientRect(picker, &client);
  if (client.right >= rect.right - rect.left && client.bottom >= rect.bottom - rect.top) return;
  DrawBorderLines(dc, rect, {SkinData()->Colours().ButtonShadow, clWhite}, NonClientBorderWidth(picker));
}

}  // namespace quonel
