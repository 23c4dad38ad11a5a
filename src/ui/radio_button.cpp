#include "ui/radio_button.h"

#include "core/property_registry.h"

namespace quonel {

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::SetChecked(bool checked) {
  SetCheckValue(checked ? BST_CHECKED : BST_UNCHECKED);
  SetTabStop(checked);
  if (!checked || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
    if (sibling && sibling != this && sibling->Checked()) sibling->SetChecked(false);
  }
}

void TRadioButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  // Not an automatic radio button: the siblings are unchecked here, by the
  // library's own parent list, whatever windows exist.
  params.style |= BS_RADIOBUTTON;
}

void TRadioButton::Clicked() {
  if (!Checked()) SetChecked(true);
  Click();
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
