#include "ui/bit_btn.h"

#include "core/property_registry.h"

namespace quonel {

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.style = (params.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& message) {
  if (message.Msg == CN_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    RECT rect = item->rcItem;
    const bool down = (item->itemState & ODS_SELECTED) != 0;
    const bool enabled = (item->itemState & ODS_DISABLED) == 0;
    DrawFrameControl(item->hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    SelectionScope font(item->hDC, Font().Handle());
    if (down) OffsetRect(&rect, 1, 1);
    DrawGlyphAndCaption(item->hDC, rect, glyph_, enabled ? (down ? 3 : 1) : 2, Caption(), enabled);
    if (item->itemState & ODS_FOCUS) {
      RECT focus = item->rcItem;
      InflateRect(&focus, -4, -4);
      DrawFocusRect(item->hDC, &focus);
    }
    message.Result = 1;
    return;
  }
  TButton::WndProc(message);
}

void RegisterBitBtnClass() {
  ClassRegistrar<TBitBtn> registrar(L"TBitBtn", L"TButton");
  registrar.Creatable();
  RegisterGlyphProperties<ClassRegistrar<TBitBtn>, TBitBtn>(registrar);
}

}  // namespace quonel
