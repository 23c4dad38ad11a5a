#include "ui/group_box.h"

#include "core/property_registry.h"

namespace quonel {

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 105);
  SetTabStop(true);
  SetParentColor(true);
}

void TGroupBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = L"BUTTON";
  params.style |= BS_GROUPBOX | WS_CLIPCHILDREN;
}

void TGroupBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: {
      // The platform's group box leaves its inside to the parent; ours holds controls.
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(message.WParam), &client, BackgroundBrush());
      message.Result = 1;
      return;
    }
    case WM_NCHITTEST:
      // Controls inside must get the mouse, not the parent behind a transparent box.
      message.Result = HTCLIENT;
      return;
  }
  TWinControl::WndProc(message);
}

void RegisterGroupBoxClass() { ClassRegistrar<TGroupBox>(L"TGroupBox", L"TWinControl").Creatable(); }

}  // namespace quonel
