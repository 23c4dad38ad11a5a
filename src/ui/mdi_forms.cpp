#include "ui/mdi_forms.h"

#include "core/property_registry.h"

namespace quonel {

namespace {

// Commands of the window menu's child entries start here, above any menu item's.
constexpr UINT kFirstMdiChildCommand = 0xFF00;

}  // namespace

TMDIParentForm::TMDIParentForm(TComponent* owner) : TForm(owner) {}

HWND TMDIParentForm::ActiveChild() const {
  return client_ ? reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

void TMDIParentForm::HandleCreated() {
  TForm::HandleCreated();
  CLIENTCREATESTRUCT create{nullptr, kFirstMdiChildCommand};
  RECT area;
  GetClientRect(Handle(), &area);
  client_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, area.right,
                            area.bottom, Handle(), nullptr, GetModuleHandleW(nullptr), &create);
}

void TMDIParentForm::DefaultHandler(TMessage& message) {
  if (!HandleAllocated()) return TForm::DefaultHandler(message);
  // The frame procedure keeps the client the size of the client area and
  // routes the children's commands and menu keys.
  message.Result = DefFrameProcW(Handle(), client_, message.Msg, message.WParam, message.LParam);
}

TMDIChildForm::TMDIChildForm(TComponent* owner, TMDIParentForm& parent) : TForm(owner), parent_(parent) {}

void TMDIChildForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.parent = parent_.Handle() ? parent_.ClientHandle() : nullptr;
  params.exStyle |= WS_EX_MDICHILD;
  params.style |= WS_VISIBLE;
}

void TMDIChildForm::WndProc(TMessage& message) {
  // Closing a child destroys it; the library's hiding would leave a hidden child active.
  if (message.Msg == WM_CLOSE) {
    DefaultHandler(message);
    return;
  }
  TForm::WndProc(message);
}

void TMDIChildForm::DefaultHandler(TMessage& message) {
  if (!HandleAllocated()) return TForm::DefaultHandler(message);
  message.Result = DefMDIChildProcW(Handle(), message.Msg, message.WParam, message.LParam);
}

void RegisterMdiFormClasses() {
  ClassRegistrar<TMDIParentForm>(L"TMDIParentForm", L"TForm");
  ClassRegistrar<TMDIChildForm>(L"TMDIChildForm", L"TForm");
}

}  // namespace quonel
