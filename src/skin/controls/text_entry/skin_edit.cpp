#include "skin/controls/text_entry/skin_edit.h"

#include <string>

#include "core/ascii_case.h"
#include "skin/controls/window_border.h"
#include "skin/data/skin_data.h"
#include "skin/skin_messages.h"

namespace quonel {

namespace {

bool IsSpinClass(const std::wstring& lowerClass) {
  return lowerClass == L"msctls_updown32" || lowerClass.find(L"spin") != std::wstring::npos ||
         lowerClass.find(L"updown") != std::wstring::npos;
}

}  // namespace

bool TSkinEdit::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  switch (message.Msg) {
    case SKM_PRINTCLIENT:
      // The frame prints the edit's client: the edit paints into its DC.
      if (message.LParam != kSkinMessageMarker || !message.WParam) return true;
      {
        TMessage paint{WM_PAINT, message.WParam, 0, 0};
        CallDefault(paint);
      }
      message.Result = kSkinMessageMarker;
      return false;
    case WM_PRINTCLIENT:
      // The DC starts at the client area: a border there would cover text.
      CallDefault(message);
      return false;
  }
  return true;
}

void TSkinEdit::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT:
      PaintFrame(nullptr);
      return;
    case WM_PRINT:
      if (message.LParam & PRF_NONCLIENT) PaintFrame(reinterpret_cast<HDC>(message.WParam));
      return;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinEdit::FindSpinButton() {
  const HWND edit = Window();
  if (spin_ || !edit || !SkinData() || !InSet(SkinData()->SkinControls(), xcSpin)) return;
  for (HWND child = GetWindow(edit, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    if (!IsSpinClass(AsciiLower(className))) continue;
    auto spin = std::make_unique<TSkinUpDown>();
    spin->SetEditBuddy(true);
    spin->AttachHandle(child, SkinData(), Form());
    if (spin->GetLifeState() == kAttached) spin_ = std::move(spin);
    return;
  }
}

void TSkinEdit::PaintSkin(HDC dc, const RECT& rect) {
  const HWND window = Window();
  if (!window || !SkinData()) return;
  FindSpinButton();
  RECT client{};
  GetClientRect(window, &client);
  // An edit without a border gets none.
  if (client.right >= rect.right - rect.left || client.bottom >= rect.bottom - rect.top) return;
  DrawBorderLines(dc, rect, {SkinData()->Colours().ButtonShadow, clWhite, clWhite}, NonClientBorderWidth(window));
}

}  // namespace quonel
