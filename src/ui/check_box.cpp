#include "ui/check_box.h"

#include "core/property_registry.h"

namespace quonel {

namespace {

WPARAM CheckValue(TCheckBoxState state) {
  switch (state) {
    case TCheckBoxState::cbChecked: return BST_CHECKED;
    case TCheckBoxState::cbGrayed: return BST_INDETERMINATE;
    default: return BST_UNCHECKED;
  }
}

}  // namespace

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

TCheckBoxState TCheckBox::State() const {
  if (!HandleAllocated()) return state_;
  switch (SendMessageW(const_cast<TCheckBox*>(this)->Handle(), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED: return TCheckBoxState::cbChecked;
    case BST_INDETERMINATE: return TCheckBoxState::cbGrayed;
    default: return TCheckBoxState::cbUnchecked;
  }
}

void TCheckBox::SetState(TCheckBoxState state) {
  state_ = state;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, CheckValue(state), 0);
}

void TCheckBox::SetAllowGrayed(bool value) {
  if (allowGrayed_ == value) return;
  state_ = State();
  allowGrayed_ = value;
  RecreateWnd();
}

void TCheckBox::SetAlignment(TLeftRight alignment) {
  if (alignment_ == alignment) return;
  state_ = State();
  alignment_ = alignment;
  RecreateWnd();
}

void TCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = L"BUTTON";
  params.style |= allowGrayed_ ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
  if (alignment_ == TLeftRight::taLeftJustify) params.style |= BS_LEFTTEXT;
}

void TCheckBox::HandleCreated() { SendMessageW(Handle(), BM_SETCHECK, CheckValue(state_), 0); }

void TCheckBox::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    if (HIWORD(message.WParam) == BN_CLICKED) {
      state_ = State();
      Click();
    }
    return;
  }
  if (message.Msg == WM_DESTROY) state_ = State();
  TWinControl::WndProc(message);
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
