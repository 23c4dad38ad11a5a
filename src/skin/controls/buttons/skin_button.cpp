#include "skin/controls/buttons/skin_button.h"

#include <windowsx.h>

#include "core/win32_owners.h"
#include "skin/controls/buttons/caption_layout.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/parent_background.h"
#include "skin/gdi/skin_text.h"
#include "ui/control.h"

namespace quonel {

namespace {

constexpr intptr_t kTransparentTag = 5555;
constexpr UINT kMeasureFormat = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK;  // 0x550
constexpr UINT kDrawFormat = DT_EXPANDTABS | DT_WORDBREAK;                               // 0x50

bool Disabled(HWND window) { return window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_DISABLED) != 0; }

bool OverClientArea(HWND window, LPARAM lParam) {
  RECT client;
  GetClientRect(window, &client);
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return PtInRect(&client, point) != 0;
}

std::wstring LowerClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  std::wstring text = name;
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

}  // namespace

void TSkinButton::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  TSkinControl::Attach(control, data, form, recolour);
  backgroundMode_ = kOwnBackground;
  if (control) {
    std::wstring name = control->ClassName();
    for (wchar_t& c : name) c = static_cast<wchar_t>(towlower(c));
    if (name.rfind(L"trz", 0) == 0 || name.rfind(L"tel", 0) == 0) backgroundMode_ = kParentBackground;
  }
  TakeTransparencyRule();
}

void TSkinButton::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  TSkinControl::AttachHandle(window, data, form);
  TakeTransparencyRule();
}

void TSkinButton::TakeTransparencyRule() {
  drawParentBackground_ = (Control() && Control()->Tag() == kTransparentTag) ||
                          (SkinData() && InSet(SkinData()->Options(), xoTransparent));
}

int TSkinButton::VisualState() {
  RefreshWindowState();
  if (!enabled_) return 3;
  if (Pressed()) return 2;
  if (Hot()) return 4;
  if (focused_) return FocusedState();
  return 1;
}

bool TSkinButton::BeforeMessage(TMessage& message) {
  const HWND window = Window();
  switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintHandler(message);
      return false;
    case WM_ERASEBKGND:
      message.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Posted input reaches a disabled window too; it must not press it.
      if (Disabled(window)) return false;
      if (window && GetFocus() != window) SetFocus(window);
      Press();
      if (backgroundMode_ == kOwnBackground && Control()) ForwardMouseDown(message);
      return false;
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case BM_CLICK:
      if (Disabled(window)) {
        CancelPress();
        return false;
      }
      break;
    case WM_MOUSEMOVE:
      // Holding the capture, the button hears the pointer leave it.
      if (Pressed() && window && !OverClientArea(window, message.LParam)) CancelPress();
      break;
    case WM_CAPTURECHANGED:
      if (Pressed() && reinterpret_cast<HWND>(message.LParam) != window) CancelPress();
      break;
    case WM_CANCELMODE:
      CancelPress();
      break;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinButton::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SETTEXT:
      PaintFrame(nullptr);
      return;
    case WM_KEYDOWN:
      if (message.WParam == VK_SPACE) {
        mouseState_ |= kPressed;
        Redraw();
      }
      return;
    case WM_KEYUP:
      if (message.WParam == VK_SPACE) {
        mouseState_ &= ~kPressed;
        Redraw();
      }
      return;
    case WM_MOUSEMOVE:
      if (!Disabled(Window()) && !Hot()) {
        mouseState_ |= kHot;
        Redraw();
      }
      if (const HWND window = Window()) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
      }
      return;
    case WM_LBUTTONUP:
      Release(message);
      return;
    case WM_MOUSELEAVE:
      mouseState_ &= ~kHot;
      CancelPress();
      Redraw();
      return;
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED:
      Redraw();
      return;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinButton::Press() {
  mouseState_ |= kPressed;
  if (const HWND window = Window()) SetCapture(window);
  PaintFrame(nullptr);
}

void TSkinButton::CancelPress() {
  if (!Pressed()) return;
  mouseState_ &= ~kPressed;
  const HWND window = Window();
  if (window && GetCapture() == window) ReleaseCapture();
  Redraw();
}

void TSkinButton::Release(const TMessage& message) {
  if (!Pressed()) return;
  // Cleared before the capture goes, which sends WM_CAPTURECHANGED.
  mouseState_ &= ~kPressed;
  const HWND window = Window();
  if (window && GetCapture() == window) ReleaseCapture();
  Redraw();
  if (window && OverClientArea(window, message.LParam)) Click();
}

void TSkinButton::Click() {
  if (TControl* control = Control()) {
    control->Click();
    return;
  }
  const HWND window = Window();
  if (!window) return;
  const int id = LowerClassName(window) == L"tbutton" ? 0 : GetDlgCtrlID(window);
  PostMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window));
}

bool TSkinButton::PrepareFace(const RECT& rect, int state, bool withFrame) {
  TSkinData* data = SkinData();
  if (!data || data->Buttons().Image.Empty()) return false;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  if (offscreen_.Width() != width || offscreen_.Height() != height) offscreen_ = SkinBitmap::Create(width, height);
  if (offscreen_.Empty()) return false;
  BitmapDc memory(offscreen_);
  const RECT local{0, 0, width, height};
  const TDataSkinButton& buttons = data->Buttons();
  if (drawParentBackground_ && Window()) {
    DrawParentBackground(Window(), memory.Get());
    if (withFrame) DrawSkinObject(memory.Get(), FromRECT(local), buttons.Frames, state, buttons);
  } else if (!withFrame) {
    FillBackground(memory.Get(), local);
  } else if (const SkinBitmap& face = Face(state, width, height); !face.Empty()) {
    BitmapDc faceDc(face);
    BitBlt(memory.Get(), 0, 0, width, height, faceDc.Get(), 0, 0, SRCCOPY);
  }
  return true;
}

TColor TSkinButton::StateTextColour(int state, TColor fontColour) const {
  const TDataSkinButton& buttons = SkinData()->Buttons();
  if (state == 1 && buttons.HasNormalColour2) return buttons.NormalColour2;
  if (state == 4 && buttons.HasMouseOverColour2) return buttons.MouseOverColour2;
  if (state == 2 && buttons.HasPressedColour2) return buttons.PressedColour2;
  if (state == 3) return clBtnShadow;
  return fontColour;
}

void TSkinButton::PaintSkin(HDC dc, const RECT& rect) {
  const int state = VisualState();
  ReadCaption();
  if (!PrepareFace(rect, state)) return;
  BitmapDc memory(offscreen_);
  const RECT local{0, 0, offscreen_.Width(), offscreen_.Height()};
  TColor colour = clBtnText;
  const HFONT font = ControlFont(&colour);
  {
    SelectionScope selected(memory.Get(), font);
    SetTextColor(memory.Get(), ColorToRGB(StateTextColour(state, colour)));
    DrawButtonCaption(memory.Get(), local, DT_CENTER);
  }
  BitBlt(dc, rect.left, rect.top, local.right, local.bottom, memory.Get(), 0, 0, SRCCOPY);
}

const SkinBitmap& TSkinButton::Face(int state, int width, int height) {
  SkinBitmap& face = faces_.at(static_cast<size_t>(state));
  if (face.Width() != width || face.Height() != height) {
    face = SkinBitmap::Create(width, height);
    if (face.Empty()) return face;
    BitmapDc dc(face);
    const RECT local{0, 0, width, height};
    FillBackground(dc.Get(), local);
    const TDataSkinButton& buttons = SkinData()->Buttons();
    DrawSkinObject(dc.Get(), FromRECT(local), buttons.Frames, state, buttons);
  }
  return face;
}

void TSkinButton::SkinChanged() {
  for (SkinBitmap& face : faces_) face = SkinBitmap();
  TSkinControl::SkinChanged();
}

void TSkinButton::DrawButtonCaption(HDC dc, const RECT& rect, UINT format) {
  const std::wstring text = PrepareButtonCaption(caption_);
  RECT measured = rect;
  InflateRect(&measured, -2, -2);
  SetBkMode(dc, TRANSPARENT);
  DrawTextWide(dc, text, measured, format | kMeasureFormat);
  const TextSize size{measured.right - measured.left, measured.bottom - measured.top};
  RECT textRect = ToRECT(ButtonTextRect(FromRECT(rect), size, (format & DT_CENTER) != 0));
  DrawTextWide(dc, text, textRect, TextDirectionFlags(format | kDrawFormat));
  SetBkMode(dc, OPAQUE);
  FocusRectangle(dc, textRect, rect);
}

void TSkinButton::FocusRectangle(HDC dc, RECT textRect, const RECT& bounds) const {
  if (!focused_ || !SkinData() || InSet(SkinData()->Options(), xoNoFocusRect)) return;
  InflateRect(&textRect, 2, 2);
  // A caption as high as the button would put the dots on its border.
  RECT inner = bounds;
  InflateRect(&inner, -2, -2);
  IntersectRect(&textRect, &textRect, &inner);
  DrawFocusRect(dc, &textRect);
}

}  // namespace quonel
