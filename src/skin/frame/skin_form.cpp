#include "skin/frame/skin_form.h"

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/skin_messages.h"
#include "ui/form.h"

namespace quonel {

TSkinForm::TSkinForm() {
  link_.SetHandler([this](TWindowSubclass&, TMessage& message) { HandleMessage(message); });
  // The window is gone: nothing of it is touched again, the manager frees us.
  link_.OnDetached = [this] { state_ = kClosed; };
}

TSkinForm::~TSkinForm() { DetachWindow(); }

void TSkinForm::AttachWindow(HWND window, TSkinData* data, TCustomForm* form) {
  if (window_) return;
  window_ = window;
  skinData_ = data;
  form_ = form;
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  className_ = name;
  state_ = link_.Attach(window) ? kAttached : kClosed;
}

void TSkinForm::HandleMessage(TMessage& message) {
  switch (message.Msg) {
    case SKM_ISSKINNED:
      message.Result = 1;
      return;
    case SKM_INITFRAME:
      InitFrame();
      return;
    case WM_NCDESTROY:
      state_ = kClosing;
      break;
    default:
      // Ours ends here; below us this value is the library's reflected WM_NOTIFY.
      if (IsMarkedSkinMessage(message.Msg, static_cast<long long>(message.LParam))) {
        if (message.Msg == SKM_FRAMEQUERY || message.Msg == SKM_SKINNED) message.Result = kSkinMessageMarker;
        return;
      }
      break;
  }
  link_.CallNext(message);
}

void TSkinForm::InitFrame() {
  if (state_ != kAttached) return;
  AnnounceSkinned();
  state_ = kReady;
}

void TSkinForm::RefreshSkin() {
  if (state_ != kReady) return;
  state_ = kRefreshing;
  AnnounceSkinned();
  state_ = kReady;
}

void TSkinForm::AnnounceSkinned() {
  SendMessageW(window_, SKM_SKINNED, 0, kSkinMessageMarker);
  if (skinData_ && skinData_->OnAfterSkinForm) skinData_->OnAfterSkinForm(form_, window_, className_);
}

void TSkinForm::DetachWindow() {
  link_.Detach();
  state_ = kClosed;
}

void TSkinForm::SetMdiCaptionHidden(bool hidden) { mdiCaptionHidden_ = hidden; }

void TSkinForm::TakeOverSizeGrip(HWND grip) {
  if (std::find(sizeGrips_.begin(), sizeGrips_.end(), grip) == sizeGrips_.end()) sizeGrips_.push_back(grip);
}

}  // namespace quonel
