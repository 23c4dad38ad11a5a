#include "skin/controls/scrolling/skin_scroll_control.h"

#include "ui/control.h"

namespace quonel {

TSkinScControl::TSkinScControl() = default;

TSkinScControl::~TSkinScControl() {
  if (GetLifeState() == kAttached) Detach();
  overlay_.reset();
}

void TSkinScControl::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  if (GetLifeState() != kNotAttached) return;
  TSkinControl::Attach(control, data, form, recolour);
  if (GetLifeState() != kAttached) return;
  overlay_ = std::make_unique<TWScrollbar>(*this);
  overlay_->AttachToControl(control, TWScrollbar::kScrollBarControl);
}

void TSkinScControl::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  if (GetLifeState() != kNotAttached) return;
  TSkinControl::AttachHandle(window, data, form);
  if (GetLifeState() != kAttached) return;
  overlay_ = std::make_unique<TWScrollbar>(*this);
  overlay_->AttachToWindow(window, TWScrollbar::kScrollBarControl);
}

void TSkinScControl::Detach() {
  const bool windowGone = GetLifeState() == kWindowGone;
  TSkinControl::Detach();
  if (!windowGone) overlay_.reset();
}

void TSkinScControl::SkinChanged() {
  TSkinControl::SkinChanged();
  if (overlay_) overlay_->Repaint();
}

void TSkinScControl::SkinActiveChanged() {
  if (!overlay_) return;
  if (SkinActive()) overlay_->Reposition();
  else overlay_->HideBar();
}

bool TSkinScControl::BeforeMessage(TMessage& message) {
  if (message.Msg == WM_NCDESTROY && overlay_) overlay_->HideBar();
  return TSkinControl::BeforeMessage(message);
}

void TSkinScControl::AfterMessage(TMessage& message) {
  if (!overlay_) return TSkinControl::AfterMessage(message);
  switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_NCPAINT:
    case WM_SIZE:
      overlay_->Reposition();
      return;
    case CM_VISIBLECHANGED:
      if (message.WParam) overlay_->Reposition();
      else overlay_->HideBar();
      return;
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
      overlay_->SetEnabled(IsWindowEnabled(Window()) != FALSE);
      overlay_->Repaint();
      return;
    // Whatever moves the thumb or changes the range shows at once.
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case SBM_ENABLE_ARROWS:
    case CN_VSCROLL:
    case CN_HSCROLL:
    case WM_PAINT:
      overlay_->Repaint();
      return;
  }
  TSkinControl::AfterMessage(message);
}

}  // namespace quonel
