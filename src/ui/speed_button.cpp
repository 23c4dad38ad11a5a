#include "ui/speed_button.h"

#include "core/property_registry.h"
#include "ui/win_control.h"

namespace quonel {

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

void TSpeedButton::SetFlat(bool value) {
  flat_ = value;
  Invalidate();
}

void TSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (down_ == value) return;
  down_ = value;
  if (down_ && Parent()) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
      if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
        other->down_ = false;
        other->Invalidate();
      }
    }
  }
  Invalidate();
}

void TSpeedButton::Click() {
  if (groupIndex_ != 0) SetDown(!down_ || !allowAllUp_ ? true : false);
  TGraphicControl::Click();
}

void TSpeedButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = Enabled();
      Invalidate();
      break;
    case WM_LBUTTONUP:
      pressed_ = false;
      Invalidate();
      break;
    case CM_MOUSEENTER:
      hot_ = true;
      if (flat_) Invalidate();
      break;
    case CM_MOUSELEAVE:
      hot_ = false;
      if (flat_ || pressed_) Invalidate();
      pressed_ = false;
      break;
  }
  TGraphicControl::WndProc(message);
}

void TSpeedButton::Paint() {
  const HDC dc = Canvas().Handle();
  RECT rect = ClientRect();
  const bool down = pressed_ || down_;
  if (!flat_ || hot_ || down) {
    DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | (flat_ ? DFCS_FLAT : 0));
  } else {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  }
  SelectionScope font(dc, Font().Handle());
  if (down) OffsetRect(&rect, 1, 1);
  const int glyph = !Enabled() ? 2 : down_ ? 4 : pressed_ ? 3 : 1;
  DrawGlyphAndCaption(dc, rect, glyph_, glyph, Caption(), Enabled());
}

void RegisterSpeedButtonClass() {
  ClassRegistrar<TSpeedButton> registrar(L"TSpeedButton", L"TGraphicControl");
  registrar.Creatable()
      .Boolean(L"Flat", [](TSpeedButton& b) { return b.Flat(); }, [](TSpeedButton& b, bool v) { b.SetFlat(v); })
      .Boolean(L"Down", [](TSpeedButton& b) { return b.Down(); }, [](TSpeedButton& b, bool v) { b.SetDown(v); })
      .Integer(L"GroupIndex", [](TSpeedButton& b) { return b.GroupIndex(); },
               [](TSpeedButton& b, int64_t v) { b.SetGroupIndex(static_cast<int>(v)); })
      .Boolean(L"AllowAllUp", [](TSpeedButton& b) { return b.AllowAllUp(); },
               [](TSpeedButton& b, bool v) { b.SetAllowAllUp(v); });
  RegisterGlyphProperties<ClassRegistrar<TSpeedButton>, TSpeedButton>(registrar);
}

}  // namespace quonel
