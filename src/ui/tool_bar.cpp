#include "ui/tool_bar.h"

#include <commctrl.h>

#include "core/property_registry.h"

namespace quonel {

namespace {

constexpr int kFirstCommand = 100;

}  // namespace

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  SetBounds(0, 0, 150, 29);
}

void TToolBar::SetButtons(std::vector<std::wstring> captions) {
  captions_ = std::move(captions);
  if (HandleAllocated()) RecreateWnd();
}

void TToolBar::SetFlat(bool value) {
  if (flat_ == value) return;
  flat_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TToolBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = TOOLBARCLASSNAMEW;
  // The library places the bar; the platform's own placement would stretch it over the parent's top.
  params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_LIST;
  if (flat_) params.style |= TBSTYLE_FLAT;
}

void TToolBar::HandleCreated() {
  const HWND bar = Handle();
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  std::vector<TBBUTTON> buttons(captions_.size());
  for (size_t i = 0; i < captions_.size(); ++i) {
    buttons[i].iBitmap = I_IMAGENONE;
    buttons[i].idCommand = kFirstCommand + static_cast<int>(i);
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    buttons[i].iString = reinterpret_cast<INT_PTR>(captions_[i].c_str());
  }
  SendMessageW(bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

void TToolBar::WndProc(TMessage& message) {
  // The parent reflects the buttons' commands back to the bar.
  if (message.Msg == CN_COMMAND) {
    const int index = static_cast<int>(LOWORD(message.WParam)) - kFirstCommand;
    if (index >= 0 && index < ButtonCount() && OnButtonClick) OnButtonClick(index);
    message.Result = 0;
    return;
  }
  TWinControl::WndProc(message);
}

void RegisterToolBarClass() {
  ClassRegistrar<TToolBar>(L"TToolBar", L"TWinControl")
      .Creatable()
      .Boolean(L"Flat", [](TToolBar& c) { return c.Flat(); }, [](TToolBar& c, bool v) { c.SetFlat(v); });
}

}  // namespace quonel
