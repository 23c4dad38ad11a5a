#include "skin/controls/buttons/skin_mark_buttons.h"

#include "core/property_access.h"
#include "core/win32_owners.h"
#include "skin/controls/buttons/caption_layout.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/parent_background.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/gdi/skin_text.h"
#include "ui/control.h"

namespace quonel {

namespace {

constexpr intptr_t kTransparentTag = 5555;
constexpr UINT kMeasureFormat = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK;  // 0x550
constexpr UINT kDrawFormat = DT_EXPANDTABS | DT_WORDBREAK;                               // 0x50
constexpr UINT kRefreshMessage = 0xB0D0;

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

bool WindowDisabled(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_DISABLED) != 0; }

}  // namespace

void TSkinMarkButton::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  TSkinControl::Attach(control, data, form, recolour);
  const SkinBitmap* image = MarkImage();
  backgroundMode_ = control && image && !image->Empty() ? kParentBackground : kOwnBackground;
  TakeTransparencyRule();
}

void TSkinMarkButton::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  TSkinControl::AttachHandle(window, data, form);
  backgroundMode_ = kOwnBackground;
  TakeTransparencyRule();
}

void TSkinMarkButton::TakeTransparencyRule() {
  transparent_ = (Control() && Control()->Tag() == kTransparentTag) ||
                 (SkinData() && InSet(SkinData()->Options(), xoTransparent));
}

bool TSkinMarkButton::BeforeMessage(TMessage& message) {
  const bool passOn = TSkinControl::BeforeMessage(message);
  if (!passOn) return false;
  switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (backgroundMode_ != kParentBackground) break;
      PaintHandler(message);
      return false;
    case WM_ERASEBKGND:
      if (!transparent_) break;
      EraseHandler(message);
      return false;
  }
  return passOn;
}

void TSkinMarkButton::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case kRefreshMessage:
      Redraw();
      return;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinMarkButton::PaintSkin(HDC dc, const RECT& rect) {
  const SkinBitmap* image = MarkImage();
  if (!image || image->Empty()) {
    backgroundMode_ = kOwnBackground;
    return;
  }
  const HWND window = Window();
  if (!window) return;
  RefreshWindowState();
  const int count = std::max(1, MarkFrameCount());
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const bool textOnLeft = (style & BS_LEFTTEXT) != 0;
  const MarkLayout layout = LayOutMark({0, 0, width, height}, image->Width() / count, image->Height(), textOnLeft, IsRadio());
  UINT format = DT_LEFT;
  if (textOnLeft && Control() && Control()->UseRightToLeftReading()) format = DT_RIGHT | DT_RTLREADING;

  StripFrame mark{*image};
  mark.count = count;
  mark.index = MarkFrame();
  mark.transparent = true;
  if (backgroundMode_ != kParentBackground) {
    // The control painted itself; only the mark goes over it.
    DrawFrameStretched(dc, {rect.left + layout.mark.left, rect.top + layout.mark.top, rect.left + layout.mark.right,
                            rect.top + layout.mark.bottom},
                       mark);
    return;
  }
  if (offscreen_.Width() != width || offscreen_.Height() != height) offscreen_ = SkinBitmap::Create(width, height);
  if (offscreen_.Empty()) return;
  BitmapDc memory(offscreen_);
  const RECT local{0, 0, width, height};
  if (transparent_) DrawParentBackground(window, memory.Get());
  else FillBackground(memory.Get(), local);
  DrawFrameStretched(memory.Get(), layout.mark, mark);
  DrawCaption(memory.Get(), ToRECT(layout.captionArea), format);
  BitBlt(dc, rect.left, rect.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

void TSkinMarkButton::DrawCaption(HDC dc, const RECT& area, UINT format) {
  const std::wstring caption = ReadCaption();
  TColor colour = clBtnText;
  const HFONT font = ControlFont(&colour);
  if (Control() && !enabled_) colour = clBtnShadow;
  SelectionScope selected(dc, font);
  SetTextColor(dc, ColorToRGB(colour));
  SetBkColor(dc, ColorToRGB(SkinData()->Colours().ButtonFace));
  SetBkMode(dc, TRANSPARENT);
  RECT measured = area;
  DrawTextWide(dc, caption, measured, format | kMeasureFormat);
  RECT captionArea = area;
  OffsetRect(&captionArea, 0, (area.bottom - area.top - (measured.bottom - measured.top)) / 2);
  if (focused_ && !caption.empty()) DrawCaptionFocus(dc, format | kDrawFormat, captionArea);
  DrawTextWide(dc, caption, captionArea, format | kDrawFormat);
  SetBkMode(dc, OPAQUE);
}

CheckMarkState TSkinCheckBox::ReadCheckState() {
  CheckMarkState state;
  const HWND window = Window();
  const LRESULT bits = window ? SendMessageW(window, BM_GETSTATE, 0, 0) : 0;
  state.value = (bits & BST_CHECKED) ? CheckValue::Checked : CheckValue::Unchecked;
  if (TControl* control = Control()) {
    if (HasProperty(control, L"State")) {
      const std::wstring text = Lower(GetEnumPropText(control, L"State"));
      if (text.find(L"uncheck") != std::wstring::npos) {
        state.value = CheckValue::Unchecked;
      } else if (text.find(L"check") != std::wstring::npos) {
        state.value = CheckValue::Checked;
      } else if (text.find(L"gray") != std::wstring::npos) {
        state.value = CheckValue::Indeterminate;
        state.indeterminateFromControl = true;
      }
    } else if (HasProperty(control, L"Checked")) {
      state.value = GetEnumPropText(control, L"Checked") == L"True" ? CheckValue::Checked : CheckValue::Unchecked;
    }
    if (HasProperty(control, L"DataField") && lastCheckState_ != 0) {
      state.value = lastCheckState_ == 2   ? CheckValue::Checked
                    : lastCheckState_ == 3 ? CheckValue::Indeterminate
                                           : CheckValue::Unchecked;
      state.indeterminateFromControl = lastCheckState_ == 3;
    }
    if (HasProperty(control, L"DataBinding")) state = CheckMarkState{};
  }
  state.disabled = window && WindowDisabled(window);
  if (bits & BST_INDETERMINATE) {
    state.value = CheckValue::Indeterminate;
    state.indeterminateFromControl = false;
  }
  return state;
}

int TSkinCheckBox::MarkFrame() { return CheckBoxFrame(ReadCheckState(), MarkFrameCount()); }

void TSkinCheckBox::AfterMessage(TMessage& message) {
  if (message.Msg == BM_SETCHECK) lastCheckState_ = static_cast<int>(message.WParam) + 1;
  TSkinMarkButton::AfterMessage(message);
}

const SkinBitmap* TSkinCheckBox::MarkImage() const {
  return SkinData() ? &SkinData()->Buttons().CheckImage : nullptr;
}

int TSkinCheckBox::MarkFrameCount() const { return SkinData() ? SkinData()->Buttons().CheckFrames : 1; }

int TSkinRadioButton::MarkFrame() {
  const HWND window = Window();
  bool checked = window && (SendMessageW(window, BM_GETCHECK, 0, 0) & BST_CHECKED) != 0;
  if (Control() && HasProperty(Control(), L"Checked")) checked = GetEnumPropText(Control(), L"Checked") == L"True";
  return RadioButtonFrame(checked, window && WindowDisabled(window), MarkFrameCount());
}

const SkinBitmap* TSkinRadioButton::MarkImage() const {
  return SkinData() ? &SkinData()->Buttons().RadioImage : nullptr;
}

int TSkinRadioButton::MarkFrameCount() const { return SkinData() ? SkinData()->Buttons().RadioFrames : 1; }

}  // namespace quonel
