#include "skin/frame/skin_form.h"

#include <algorithm>

namespace quonel {

static_assert(static_cast<int>(FrameState::Closed) == TSkinForm::kClosed &&
              static_cast<int>(FrameState::Resizing) == TSkinForm::kResizing);

TSkinForm::TSkinForm() : TComponent(nullptr) { frame_.SetSender(this); }

TSkinForm::~TSkinForm() { DetachWindow(); }

void TSkinForm::AttachWindow(HWND window, TSkinData* data, TCustomForm* form) {
  frame_.AttachWindow(window, data, form);
}

void TSkinForm::InitFrame() { frame_.InitFrame(); }

void TSkinForm::RefreshSkin() { frame_.RefreshSkin(); }

void TSkinForm::DetachWindow() { frame_.DetachWindow(); }

void TSkinForm::SetMdiCaptionHidden(bool hidden) {
  mdiCaptionHidden_ = hidden;
  frame_.SetMdiCaptionHidden(hidden);
}

void TSkinForm::TakeOverSizeGrip(HWND grip, DWORD style) {
  if (std::find(sizeGrips_.begin(), sizeGrips_.end(), grip) != sizeGrips_.end()) return;
  sizeGrips_.push_back(grip);
  // The grip is still being created: its style is the one it is made with.
  frame_.SkinBareWindow(grip, style);
}

}  // namespace quonel
