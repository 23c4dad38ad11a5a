#include "ui/control.h"

#include <windowsx.h>

#include "core/exception.h"
#include "ui/form.h"
#include "ui/win_control.h"

namespace quonel {

unsigned ShiftStateFromKeys(WPARAM keys) {
  unsigned shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& message) { WndProc(message); };
  font_->OnChange = [this] { FontChangedByUser(); };
}

TControl::~TControl() {
  ForgetMouseControl(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent == static_cast<TControl*>(this)) throw Exception(L"A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

TCustomForm* TControl::GetParentForm() const {
  const TControl* control = this;
  while (control->parent_) control = control->parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color_ == color) return;
  color_ = color;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  if (value) TakeParentColor();
}

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value) TakeParentFont();
}

void TControl::TakeParentFont() {
  if (!parent_ || !parentFont_) return;
  takingParentFont_ = true;
  font_->Assign(parent_->Font());
  takingParentFont_ = false;
}

void TControl::TakeParentColor() {
  if (!parent_ || !parentColor_) return;
  if (color_ != parent_->Color()) {
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED);
  }
}

void TControl::FontChangedByUser() {
  if (!takingParentFont_) parentFont_ = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode mode) {
  if (biDiMode_ == mode) return;
  biDiMode_ = mode;
  Invalidate();
}

void TControl::SetText(const std::wstring& text) {
  if (text == text_) return;
  text_ = text;
  Perform(CM_TEXTCHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated() && visible_) {
    const RECT bounds = BoundsRect();
    InvalidateRect(parent_->Handle(), &bounds, TRUE);
  }
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(unsigned shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::HandleMouse(TMessage& message) {
  const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
  const unsigned shift = ShiftStateFromKeys(message.WParam);
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      leftButtonDown_ = true;
      MouseDown(TMouseButton::mbLeft, shift | (message.Msg == WM_LBUTTONDBLCLK ? unsigned{ssDouble} : 0u), x, y);
      break;
    case WM_RBUTTONDOWN: MouseDown(TMouseButton::mbRight, shift, x, y); break;
    case WM_LBUTTONUP:
      leftButtonDown_ = false;
      MouseUp(TMouseButton::mbLeft, shift, x, y);
      break;
    case WM_RBUTTONUP: MouseUp(TMouseButton::mbRight, shift, x, y); break;
    case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
  }
}

void TControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
      HandleMouse(message);
      break;
    case CM_VISIBLECHANGED: VisibleChanged(); return;
    case CM_ENABLEDCHANGED: EnabledChanged(); return;
    case CM_COLORCHANGED: ColorChanged(); return;
    case CM_FONTCHANGED: FontChanged(); return;
    case CM_TEXTCHANGED: TextChanged(); return;
    case CM_PARENTFONTCHANGED: TakeParentFont(); return;
    case CM_PARENTCOLORCHANGED: TakeParentColor(); return;
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      return;
    case CM_MOUSELEAVE:
      if (OnMouseLeave) OnMouseLeave(this);
      return;
  }
  DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage& message) { message.Result = 0; }

}  // namespace quonel
