// MDI on a skinned frame: the MDI client's messages pass through the frame
// so that it sees children made, destroyed, maximised and restored; while
// the active child is maximised its own caption is hidden and its minimise,
// restore and close buttons are the MDI buttons of the frame's menu bar.
// With xoMDIScrollbar the MDI client's own scroll bars are skinned too.
#include <algorithm>

#include "skin/controls/scrolling/skin_scrollbar.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/frame/skinned_frame.h"
#include "skin/skin_messages.h"

namespace quonel {

void SkinnedFrame::AttachMdiClient() {
  mdiClient_ = FindWindowExW(window_, nullptr, L"MDIClient", nullptr);
  if (!mdiClient_) return;
  mdiClientLink_.SetHandler([this](TWindowSubclass& link, TMessage& message) { HandleMdiClientMessage(link, message); });
  mdiClientLink_.OnDetached = [this] { mdiClient_ = nullptr; };
  if (!mdiClientLink_.Attach(mdiClient_)) mdiClient_ = nullptr;
}

void SkinnedFrame::SkinMdiScrollbars() {
  if (!mdiClient_ || !InSet(data_->Options(), xoMDIScrollbar) || !InSet(data_->SkinControls(), xcScrollbar)) return;
  const bool known = std::any_of(controls_.begin(), controls_.end(),
                                 [&](const ChosenControlSkin& c) { return c.window == mdiClient_; });
  if (known || SendMessageW(mdiClient_, SKM_ISSKINNED, 0, 0) == 1) return;
  // The client is a bare window of the platform's: its bars are followed by handle.
  auto skin = std::make_unique<TSkinScrollbarH>();
  skin->AttachHandle(mdiClient_, data_, nullptr);
  const bool attached = skin->GetLifeState() == TSkinControl::kAttached;
  controls_.push_back({nullptr, mdiClient_, L"mdiscrollbar", attached, attached ? std::move(skin) : nullptr});
}

void SkinnedFrame::HandleMdiClientMessage(TWindowSubclass& link, TMessage& message) {
  switch (message.Msg) {
    case SKM_REDRAWMDI:
      // A child changed its placement: the captions and the bar follow, then
      // the client is drawn again with every child's frame.
      MdiChildrenChanged();
      RedrawWindow(link.Window(), nullptr, nullptr,
                   RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      message.Result = 0;
      return;
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIMAXIMIZE:
    case WM_MDIRESTORE:
    case WM_MDIACTIVATE:
    case WM_MDINEXT:
    case WM_MDISETMENU:
    case WM_MDIREFRESHMENU:
      link.CallNext(message);
      MdiChildrenChanged();
      return;
  }
  link.CallNext(message);
}

void SkinnedFrame::MdiChildrenChanged() {
  if (!mdiClient_ || !window_) return;
  BOOL maximised = FALSE;
  const auto active =
      reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
  const bool now = active && maximised;
  // While maximised, a child that came maximised since (made while another
  // was, on platforms that do so) still has its caption.
  if (now != mdiMaximised_ || now) {
    mdiMaximised_ = now;
    if (TSkinManagerLink* manager = TSkinManagerLink::Current()) manager->SetMdiCaptionsHidden(now);
  }
  if (state_ == FrameState::Ready) PaintNonClient();
}

bool SkinnedFrame::OpenMaximisedChildMenu() {
  if (!mdiMaximised_ || !mdiClient_) return false;
  const auto child = reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0));
  if (!child) return false;
  // The child's own skinned system menu, dropped from the bar's left end as
  // the platform's MDI frame shows it: restore, minimise and close, the MDI
  // buttons' commands, by the keyboard. Posted, so that the key is answered first.
  PostMessageW(child, WM_SYSCOMMAND, SC_KEYMENU, L' ');
  return true;
}

void SkinnedFrame::PaintMdiButtons(HDC dc) {
  if (!mdiMaximised_) return;
  for (const auto& button : buttons_)
    if (button->enabled && button->Skin().Visibility == 100) button->Draw(dc, 1, nullptr, 0);
}

TWinSysButton* SkinnedFrame::MdiButtonAt(POINT p) const {
  if (!mdiMaximised_) return nullptr;
  for (const auto& button : buttons_) {
    if (!button->enabled || button->Skin().Visibility != 100) continue;
    const Rect& r = button->rect;
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return button.get();
  }
  return nullptr;
}

}  // namespace quonel
