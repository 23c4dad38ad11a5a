#include "skin/controls/scrolling/skin_scrollbar.h"

#include "core/ascii_case.h"
#include "core/property_access.h"
#include "core/win32_owners.h"
#include "skin/controls/window_border.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/skin_messages.h"
#include "ui/control.h"

namespace quonel {

void TScrollOverlays::Reposition() {
  horizontal.Reposition();
  vertical.Reposition();
}

void TScrollOverlays::Hide() {
  horizontal.HideBar();
  vertical.HideBar();
}

void TScrollOverlays::Repaint() {
  horizontal.Repaint();
  vertical.Repaint();
}

void TScrollOverlays::SetEnabled(bool enabled) {
  horizontal.SetEnabled(enabled);
  vertical.SetEnabled(enabled);
}

bool TScrollOverlays::FollowScrolling(const TMessage& message) {
  switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      // SB_ENDSCROLL names no part: the bar returns to its normal look.
      (message.Msg == WM_HSCROLL ? horizontal : vertical).SetHotPart(LOWORD(message.WParam));
      return true;
    case WM_MOUSEWHEEL:
      Repaint();
      return true;
  }
  return false;
}

void TScrollOverlays::RefreshAfterPaint(HWND window) {
  const LONG_PTR style = window ? GetWindowLongPtrW(window, GWL_STYLE) : 0;
  if (horizontal.Shown()) horizontal.Repaint();
  else if (style & WS_HSCROLL) horizontal.Reposition();
  if (vertical.Shown()) vertical.Repaint();
  else if (style & WS_VSCROLL) vertical.Reposition();
}

void TScrollOverlays::FollowSkinActive(TSkinControl& owner) {
  if (owner.SkinActive()) Reposition();
  else Hide();
  if (const HWND window = owner.Window()) RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TScrollOverlays::FillCorner(HWND window, HDC windowDc, TColor colour) const {
  if (!horizontal.Shown() || !vertical.Shown()) return;
  RECT outer{};
  POINT client{0, 0};
  if (!GetWindowRect(window, &outer) || !ClientToScreen(window, &client)) return;
  const int dx = client.x - outer.left, dy = client.y - outer.top;
  const RECT& v = vertical.BarRect();
  const RECT& h = horizontal.BarRect();
  FillWithColor(windowDc, {v.left + dx, h.top + dy, v.right + dx, h.bottom + dy}, colour);
}

TSkinScrollbar::TSkinScrollbar() = default;

TSkinScrollbar::~TSkinScrollbar() {
  if (GetLifeState() == kAttached) Detach();
  overlays_.reset();
}

void TSkinScrollbar::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool) {
  AttachScrolled(control, data, form);
}

void TSkinScrollbar::AttachScrolled(TControl* control, TSkinData* data, TSkinForm* form) {
  if (GetLifeState() != kNotAttached || !control || !data) return;
  TSkinControl::Attach(control, data, form, false);
  if (GetLifeState() != kAttached) return;
  border_ = AsciiLower(GetEnumPropText(control, L"BorderStyle")) != L"bsnone" &&
            AsciiUpper(std::wstring(control->ClassName())) != L"TIMAGESCROLLBOX";
  ApplyFixedColor();
  overlays_ = std::make_unique<TScrollOverlays>(*this);
  overlays_->horizontal.AttachToControl(control, TWScrollbar::kHorizontalBar);
  overlays_->vertical.AttachToControl(control, TWScrollbar::kVerticalBar);
  overlays_->SetEnabled(control->Enabled());
  if (!control->Visible()) overlays_->Hide();
  if (const HWND window = Window())
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinScrollbar::ApplyFixedColor() {
  TControl* control = Control();
  if (!control || !SkinData() || !HasProperty(control, L"FixedColor")) return;
  const int64_t colour = GetIntProp(control, L"FixedColor");
  if (colour == -1) return;  // not an integer property
  if (!fixedColourSaved_) savedFixedColour_ = colour;
  fixedColourSaved_ = true;
  SetPropText(control, L"FixedColor", std::to_wstring(SkinData()->Colours().ButtonFace));
}

void TSkinScrollbar::Detach() {
  if (fixedColourSaved_ && Control()) SetPropText(Control(), L"FixedColor", std::to_wstring(savedFixedColour_));
  fixedColourSaved_ = false;
  const bool windowGone = GetLifeState() == kWindowGone;
  const HWND window = GetLifeState() == kAttached ? Window() : nullptr;
  TSkinControl::Detach();
  if (!windowGone) overlays_.reset();
  // The platform's own border comes back.
  if (window) RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinScrollbar::SkinChanged() {
  ApplyFixedColor();
  TSkinControl::SkinChanged();
  if (overlays_) overlays_->Repaint();
}

void TSkinScrollbar::PaintBorder(HDC windowDc) {
  const HWND window = Window();
  if (!border_ || !window || !SkinData()) return;
  RECT outer{};
  if (!GetWindowRect(window, &outer)) return;
  OffsetRect(&outer, -outer.left, -outer.top);
  const TSkinColours& colours = SkinData()->Colours();
  try {
    DrawBorderLines(windowDc, outer, {colours.ButtonShadow, colours.ButtonFace}, NonClientBorderWidth(window));
  } catch (...) {
  }
}

bool TSkinScrollbar::BeforeMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT:
      if (!border_) return true;
      CallDefault(message);
      if (const HWND window = Window()) {
        WholeWindowDc dc(window);
        if (dc.Get()) PaintBorder(dc.Get());
      }
      return false;
    case WM_NCDESTROY:
      if (overlays_) overlays_->Hide();
      // The library makes the window again at once: the skin stays with the
      // control and covers the new window's bars.
      if (recreating_) {
        CallDefault(message);
        return false;
      }
      break;
    case CM_RECREATEWND:
      if (!Control()) break;
      recreating_ = true;
      CallDefault(message);
      recreating_ = false;
      if (overlays_) overlays_->Reposition();
      if (const HWND window = Window())
        SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      return false;
    default:
      if (IsMarkedSkinMessage(message.Msg, message.LParam) && message.Msg == SKM_PRINTFRAME) {
        if (message.WParam) PaintBorder(reinterpret_cast<HDC>(message.WParam));
        message.Result = kSkinMessageMarker;
        return false;
      }
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinScrollbar::AfterMessage(TMessage& message) {
  if (!overlays_) return TSkinControl::AfterMessage(message);
  if (overlays_->FollowScrolling(message)) return;
  switch (message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      overlays_->Reposition();
      return;
    case CM_VISIBLECHANGED:
      if (message.WParam) overlays_->Reposition();
      else overlays_->Hide();
      return;
    case CM_ENABLEDCHANGED:
      if (Control()) overlays_->SetEnabled(Control()->Enabled());
      break;
    case WM_PRINTCLIENT:
      return;  // the corner lies outside the client area that is printed
  }
  TSkinControl::AfterMessage(message);
}

void TSkinScrollbar::PaintSkin(HDC dc, const RECT&) {
  if (!overlays_) return;
  overlays_->RefreshAfterPaint(Window());
  if (SkinData() && Window()) overlays_->FillCorner(Window(), dc, SkinData()->Colours().ButtonFace);
}

void TSkinScrollbar::SkinActiveChanged() {
  if (overlays_) overlays_->FollowSkinActive(*this);
}

TSkinScrollbarH::TSkinScrollbarH() = default;

TSkinScrollbarH::~TSkinScrollbarH() {
  if (GetLifeState() == kAttached) Detach();
  overlays_.reset();
}

void TSkinScrollbarH::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  if (GetLifeState() != kNotAttached) return;
  TSkinControl::AttachHandle(window, data, form);
  if (GetLifeState() != kAttached) return;
  overlays_ = std::make_unique<TScrollOverlays>(*this);
  overlays_->horizontal.AttachToWindow(window, TWScrollbar::kHorizontalBar);
  overlays_->vertical.AttachToWindow(window, TWScrollbar::kVerticalBar);
}

void TSkinScrollbarH::Detach() {
  const bool windowGone = GetLifeState() == kWindowGone;
  TSkinControl::Detach();
  if (!windowGone) overlays_.reset();
}

bool TSkinScrollbarH::BeforeMessage(TMessage& message) {
  if (message.Msg == WM_NCDESTROY && overlays_) overlays_->Hide();
  return TSkinControl::BeforeMessage(message);
}

void TSkinScrollbarH::AfterMessage(TMessage& message) {
  if (!overlays_) return TSkinControl::AfterMessage(message);
  const HWND window = Window();
  if (window && !IsWindowVisible(window)) overlays_->Hide();
  if (overlays_->FollowScrolling(message)) return;
  switch (message.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
    case WM_WINDOWPOSCHANGED:
      overlays_->Reposition();
      if (message.Msg == WM_NCPAINT && window && SkinData()) {
        WholeWindowDc dc(window);
        if (dc.Get()) overlays_->FillCorner(window, dc.Get(), SkinData()->Colours().ButtonFace);
      }
      return;
    case WM_PRINTCLIENT:
      return;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinScrollbarH::SkinActiveChanged() {
  if (overlays_) overlays_->FollowSkinActive(*this);
}

void TSkinScrollbarH::PaintSkin(HDC dc, const RECT&) {
  if (!overlays_) return;
  overlays_->RefreshAfterPaint(Window());
  if (SkinData() && Window()) overlays_->FillCorner(Window(), dc, SkinData()->Colours().ButtonFace);
}

}  // namespace quonel
