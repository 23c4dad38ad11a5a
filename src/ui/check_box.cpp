#include "ui/check_box.h"

#include "core/property_registry.h"

namespace quonel {

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

TCheckBoxState TCheckBox::State() const {
  switch (CheckValue()) {
    case BST_CHECKED: return TCheckBoxState::cbChecked;
    case BST_INDETERMINATE: return TCheckBoxState::cbGrayed;
    default: return TCheckBoxState::cbUnchecked;
  }
}

void TCheckBox::SetState(TCheckBoxState state) {
  SetCheckValue(state == TCheckBoxState::cbChecked   ? BST_CHECKED
                : state == TCheckBoxState::cbGrayed ? BST_INDETERMINATE
                                                    : BST_UNCHECKED);
}

void TCheckBox::SetAllowGrayed(bool value) {
  if (allowGrayed_ == value) return;
  allowGrayed_ = value;
  RecreateKeepingCheck();
}

void TCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.style |= allowGrayed_ ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
}

void RegisterCheckBoxClass() {
  ClassRegistrar<TCheckBox>(L"TCheckBox", L"TWinControl")
      .Creatable()
      .Enumeration(L"State", {L"cbUnchecked", L"cbChecked", L"cbGrayed"},
                   [](TCheckBox& c) { return static_cast<int>(c.State()); },
                   [](TCheckBox& c, int64_t v) { c.SetState(static_cast<TCheckBoxState>(v)); })
      .Boolean(L"Checked", [](TCheckBox& c) { return c.Checked(); }, [](TCheckBox& c, bool v) { c.SetChecked(v); })
      .Boolean(L"AllowGrayed", [](TCheckBox& c) { return c.AllowGrayed(); },
               [](TCheckBox& c, bool v) { c.SetAllowGrayed(v); })
      .Enumeration(L"Alignment", {L"taLeftJustify", L"taRightJustify"},
                   [](TCheckBox& c) { return static_cast<int>(c.Alignment()); },
                   [](TCheckBox& c, int64_t v) { c.SetAlignment(static_cast<TLeftRight>(v)); });
}

}  // namespace quonel
