#include "ui/scroll_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "core/property_registry.h"

namespace quonel {

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 17);
  SetTabStop(true);
}

void TScrollBar::SetKind(TScrollBarKind kind) {
  if (kind_ == kind) return;
  kind_ = kind;
  if (HandleAllocated()) RecreateWnd();
}

void TScrollBar::SetPosition(int position) {
  position_ = position;
  if (HandleAllocated()) SetScrollPos(Handle(), SB_CTL, position, TRUE);
}

void TScrollBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = L"SCROLLBAR";
  params.style |= kind_ == TScrollBarKind::sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::HandleCreated() {
  SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, position_, 0};
  SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

void TScrollBar::WndProc(TMessage& message) {
  // The parent reflects the bar's own scroll requests back to it.
  if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_CTL, &info);
    int position = info.nPos;
    switch (LOWORD(message.WParam)) {
      case SB_LINEUP: position -= 1; break;
      case SB_LINEDOWN: position += 1; break;
      case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
      case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: position = info.nTrackPos; break;
    }
    SetPosition(std::clamp(position, info.nMin, info.nMax - static_cast<int>(info.nPage) + 1));
    message.Result = 0;
    return;
  }
  TWinControl::WndProc(message);
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&classes);
  SetBounds(0, 0, 17, 25);
}

void TUpDown::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = UPDOWN_CLASSW;
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetParentColor(true);
}

void TScrollBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.style |= WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN;
  params.exStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::UpdateScrollRange() {
  if (!HandleAllocated()) return;
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl& child = *Controls(i);
    right = std::max(right, child.Left() + child.Width() + static_cast<int>(offset_.x));
    bottom = std::max(bottom, child.Top() + child.Height() + static_cast<int>(offset_.y));
  }
  RECT client;
  GetClientRect(Handle(), &client);
  SCROLLINFO horizontal{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, right, static_cast<UINT>(client.right),
                        offset_.x, 0};
  SCROLLINFO vertical{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, bottom, static_cast<UINT>(client.bottom),
                      offset_.y, 0};
  SetScrollInfo(Handle(), SB_HORZ, &horizontal, TRUE);
  SetScrollInfo(Handle(), SB_VERT, &vertical, TRUE);
}

void TScrollBox::ScrollBy(int bar, int request) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &info);
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP: position -= 8; break;
    case SB_LINEDOWN: position += 8; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    default: return;
  }
  position = std::clamp(position, 0, std::max(0, info.nMax - static_cast<int>(info.nPage) + 1));
  const int delta = info.nPos - position;
  if (delta == 0) return;
  SetScrollPos(Handle(), bar, position, TRUE);
  // The children move with the contents; the library keeps their bounds.
  for (int i = 0; i < ControlCount(); ++i) {
    TControl& child = *Controls(i);
    if (bar == SB_HORZ) child.SetLeft(child.Left() + delta);
    else child.SetTop(child.Top() + delta);
  }
  (bar == SB_HORZ ? offset_.x : offset_.y) = position;
  Invalidate();
}

void TScrollBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (message.LParam == 0) {
        ScrollBy(message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(message.WParam));
        message.Result = 0;
        return;
      }
      break;
    case WM_SIZE:
      TWinControl::WndProc(message);
      UpdateScrollRange();
      return;
  }
  TWinControl::WndProc(message);
}

void RegisterScrollClasses() {
  ClassRegistrar<TScrollBar>(L"TScrollBar", L"TWinControl")
      .Creatable()
      .Enumeration(L"Kind", {L"sbHorizontal", L"sbVertical"}, [](TScrollBar& c) { return static_cast<int>(c.Kind()); },
                   [](TScrollBar& c, int64_t v) { c.SetKind(static_cast<TScrollBarKind>(v)); });
  ClassRegistrar<TUpDown>(L"TUpDown", L"TWinControl").Creatable();
  ClassRegistrar<TScrollBox>(L"TScrollBox", L"TWinControl").Creatable();
}

}  // namespace quonel
