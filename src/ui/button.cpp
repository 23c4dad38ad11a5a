#include "ui/button.h"

#include "core/property_registry.h"

namespace quonel {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  RecreateWnd();
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = L"BUTTON";
  params.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CN_COMMAND:
      if (HIWORD(message.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY:
      if (((message.WParam == VK_RETURN && default_) || (message.WParam == VK_ESCAPE && cancel_)) && CanFocus()) {
        Click();
        message.Result = 1;
        return;
      }
      break;
  }
  TWinControl::WndProc(message);
}

void RegisterButtonClass() {
  ClassRegistrar<TButton>(L"TButton", L"TWinControl")
      .Creatable()
      .Boolean(L"Default", [](TButton& b) { return b.Default(); }, [](TButton& b, bool v) { b.SetDefault(v); })
      .Boolean(L"Cancel", [](TButton& b) { return b.Cancel(); }, [](TButton& b, bool v) { b.SetCancel(v); });
}

}  // namespace quonel
