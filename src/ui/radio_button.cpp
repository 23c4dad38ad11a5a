#include "ui/radio_button.h"

#include "core/property_registry.h"

namespace quonel {

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 113, 17); }

bool TRadioButton::Checked() const {
  if (!HandleAllocated()) return checked_;
  return SendMessageW(const_cast<TRadioButton*>(this)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool checked) {
  checked_ = checked;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  SetTabStop(checked);
  if (!checked || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
    if (sibling && sibling != this && sibling->Checked()) sibling->SetChecked(false);
  }
}

void TRadioButton::SetAlignment(TLeftRight alignment) {
  if (alignment_ == alignment) return;
  checked_ = Checked();
  alignment_ = alignment;
  RecreateWnd();
}

void TRadioButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = L"BUTTON";
  // Not an automatic radio button: the siblings are unchecked here, by the
  // library's own parent list, whatever windows exist.
  params.style |= BS_RADIOBUTTON;
  if (alignment_ == TLeftRight::taLeftJustify) params.style |= BS_LEFTTEXT;
}

void TRadioButton::HandleCreated() { SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

void TRadioButton::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    if (HIWORD(message.WParam) == BN_CLICKED) {
      if (!Checked()) SetChecked(true);
      Click();
    }
    return;
  }
  if (message.Msg == WM_DESTROY) checked_ = Checked();
  TWinControl::WndProc(message);
}

void RegisterRadioButtonClass() {
  ClassRegistrar<TRadioButton>(L"TRadioButton", L"TWinControl")
      .Creatable()
      .Boolean(L"Checked", [](TRadioButton& c) { return c.Checked(); },
               [](TRadioButton& c, bool v) { c.SetChecked(v); })
      .Enumeration(L"Alignment", {L"taLeftJustify", L"taRightJustify"},
                   [](TRadioButton& c) { return static_cast<int>(c.Alignment()); },
                   [](TRadioButton& c, int64_t v) { c.SetAlignment(static_cast<TLeftRight>(v)); });
}

}  // namespace quonel
