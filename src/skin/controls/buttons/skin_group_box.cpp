#include "skin/controls/buttons/skin_group_box.h"

#include "core/property_access.h"
#include "core/win32_owners.h"
#include "skin/controls/buttons/caption_layout.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/skin_text.h"
#include "ui/win_control.h"

namespace quonel {

void TSkinGroupBox::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  TSkinControl::Attach(control, data, form, recolour);
  if (control) backgroundMode_ = kParentBackground;
}

bool TSkinGroupBox::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (backgroundMode_ == kParentBackground && (message.Msg == WM_PAINT || message.Msg == WM_PRINTCLIENT)) {
    PaintHandler(message);
    return false;
  }
  return true;
}

void TSkinGroupBox::PaintSkin(HDC dc, const RECT& rect) {
  if (!SkinData()) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  if (backgroundMode_ != kParentBackground) {
    // A bare group box painted itself; the skin's frame goes over it.
    SavedDcState saved(dc);
    SetViewportOrgEx(dc, rect.left, rect.top, nullptr);
    PaintBox(dc, {0, 0, width, height});
    return;
  }
  if (offscreen_.Width() != width || offscreen_.Height() != height) offscreen_ = SkinBitmap::Create(width, height);
  if (offscreen_.Empty()) return;
  BitmapDc memory(offscreen_);
  PaintBox(memory.Get(), {0, 0, width, height});
  BitBlt(dc, rect.left, rect.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

void TSkinGroupBox::PaintBox(HDC dc, const RECT& rect) {
  const TSkinColours& colours = SkinData()->Colours();
  const HWND window = Window();
  std::wstring caption = window ? GetControlText(window) : std::wstring();
  if (caption.empty() && Control()) caption = GetTextProp(Control(), L"Caption");
  if (Control()) FillBackground(dc, rect);

  TColor textColour = colours.ButtonText;
  SelectionScope font(dc, ControlFont(&textColour));
  SIZE digit{};
  GetTextExtentPoint32W(dc, L"0", 1, &digit);
  const int frameTop = GroupFrameTop(digit.cy);
  if (backgroundMode_ != kParentBackground) {
    // Cover the window's own border with the face colour, twice.
    RECT band{rect.left, frameTop, rect.right, rect.bottom};
    FrameRect(dc, &band, SkinData()->FaceBrush());
    InflateRect(&band, -1, -1);
    FrameRect(dc, &band, SkinData()->FaceBrush());
  }
  {
    OwnedPen pen(CreatePen(PS_SOLID, 1, ColorToRGB(colours.ButtonShadow)));
    SelectionScope selectedPen(dc, pen.Get());
    SelectionScope noBrush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 1, frameTop, rect.right - 1, rect.bottom - 1, 5, 5);
  }
  const bool alignedRight = window && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
  RECT captionRect = ToRECT(GroupCaptionRect(FromRECT(rect), alignedRight));
  const UINT format = alignedRight ? TextDirectionFlags(DT_RIGHT | DT_EXPANDTABS) : DT_EXPANDTABS;
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ColorToRGB(colours.ButtonFace));
  SetTextColor(dc, ColorToRGB(textColour));
  if (!caption.empty()) DrawTextWide(dc, caption, captionRect, format);
  if (backgroundMode_ == kParentBackground)
    if (auto* box = dynamic_cast<TWinControl*>(Control())) box->PaintControls(dc);
}

}  // namespace quonel
