#include "ui/button_control.h"

namespace quonel {

WPARAM TButtonControl::CheckValue() const {
  if (!HandleAllocated()) return check_;
  return static_cast<WPARAM>(SendMessageW(const_cast<TButtonControl*>(this)->Handle(), BM_GETCHECK, 0, 0));
}

void TButtonControl::SetCheckValue(WPARAM value) {
  check_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, value, 0);
}

void TButtonControl::RecreateKeepingCheck() {
  check_ = CheckValue();
  RecreateWnd();
}

void TButtonControl::SetAlignment(TLeftRight alignment) {
  if (alignment_ == alignment) return;
  alignment_ = alignment;
  RecreateKeepingCheck();
}

void TButtonControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = L"BUTTON";
  if (alignment_ == TLeftRight::taLeftJustify) params.style |= BS_LEFTTEXT;
}

void TButtonControl::HandleCreated() { SendMessageW(Handle(), BM_SETCHECK, check_, 0); }

void TButtonControl::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    if (HIWORD(message.WParam) == BN_CLICKED) {
      check_ = CheckValue();
      Clicked();
    }
    return;
  }
  // The next window starts from the state this one ends with.
  if (message.Msg == WM_DESTROY) check_ = CheckValue();
  TWinControl::WndProc(message);
}

}  // namespace quonel
