#include "skin/controls/text_entry/skin_up_down.h"

#include <windowsx.h>

#include <tuple>

#include "core/win32_owners.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/skin_renderers.h"

namespace quonel {

namespace {

// A small arrow of four lines, tip first, centred on (cx, cy): the first
// half's points up (or left) with its tip 2 pixels before the centre.
void DrawArrow(HDC dc, int cx, int cy, UpDownHalf which, bool horizontal) {
  for (int line = 0; line < 4; ++line) {
    const int at = which == UpDownHalf::First ? line - 2 : 1 - line;
    if (horizontal) {
      MoveToEx(dc, cx + at, cy - line, nullptr);
      LineTo(dc, cx + at, cy + line + 1);
    } else {
      MoveToEx(dc, cx - line, cy + at, nullptr);
      LineTo(dc, cx + line + 1, cy + at);
    }
  }
}

}  // namespace

bool TSkinUpDown::Horizontal() const {
  const HWND window = Window();
  return horizontal_ || (window && (GetWindowLongPtrW(window, GWL_STYLE) & UDS_HORZ) != 0);
}

UpDownHalf TSkinUpDown::HalfAt(LPARAM point) const {
  RECT client{};
  if (const HWND window = Window()) GetClientRect(window, &client);
  return UpDownHalfAt(SplitUpDown(FromRECT(client), Horizontal()), GET_X_LPARAM(point), GET_Y_LPARAM(point));
}

bool TSkinUpDown::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  switch (message.Msg) {
    case WM_PAINT:
      PaintHandler(message);
      return false;
    case WM_ERASEBKGND:
      if (Control()) return true;
      if (const HWND window = Window()) {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(message.WParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      }
      message.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The control notifies its buddy and parent on the way: their handlers
      // may free it, and this skin with it.
      const TLiveness::Watch alive = ObserveLife();
      CallDefault(message);
      if (!alive.Alive()) return false;
      mouseState_ |= kPressed;
      pressedHalf_ = HalfAt(message.LParam);
      PaintFrame(nullptr);
      return false;
    }
    case WM_LBUTTONUP: {
      mouseState_ &= ~kPressed;
      pressedHalf_ = UpDownHalf::None;
      const TLiveness::Watch alive = ObserveLife();
      CallDefault(message);
      if (alive.Alive()) PaintFrame(nullptr);
      return false;
    }
    case WM_MOUSEMOVE:
      // Hot follows the pointer from half to half.
      if (const UpDownHalf half = HalfAt(message.LParam); half != hotHalf_) {
        hotHalf_ = half;
        mouseState_ |= kHot;
        PaintFrame(nullptr);
      }
      if (const HWND window = Window()) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
      }
      return true;
    case WM_MOUSELEAVE:
      mouseState_ &= ~kHot;
      hotHalf_ = UpDownHalf::None;
      PaintFrame(nullptr);
      return true;
  }
  return true;
}

void TSkinUpDown::PaintSkin(HDC dc, const RECT& rect) {
  const HWND window = Window();
  if (!SkinData() || !window) return;
  Rect area = FromRECT(rect);
  if (editBuddy_) {
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const HWND edit = GetParent(window);
    RECT editRect{}, own{};
    if (edit && GetWindowRect(edit, &editRect) && GetWindowRect(window, &own)) {
      // In the edit's window coordinates, then back to this window's.
      const int dx = own.left - editRect.left, dy = own.top - editRect.top;
      const Rect placed{area.left + dx, area.top + dy, area.right + dx, area.bottom + dy};
      const Rect kept = KeepInsideEditBorder(placed, editRect.right - editRect.left, editRect.bottom - editRect.top);
      area = {kept.left - dx, kept.top - dy, kept.right - dx, kept.bottom - dy};
    }
  }
  if (area.Width() <= 0 || area.Height() <= 0) return;
  if (offscreen_.Width() != area.Width() || offscreen_.Height() != area.Height())
    offscreen_ = SkinBitmap::Create(area.Width(), area.Height());
  if (offscreen_.Empty()) return;
  BitmapDc memory(offscreen_);
  PaintHalves(memory.Get(), {0, 0, area.Width(), area.Height()});
  BitBlt(dc, area.left, area.top, area.Width(), area.Height(), memory.Get(), 0, 0, SRCCOPY);
}

void TSkinUpDown::PaintHalves(HDC dc, const Rect& area) {
  FillWithColor(dc, area, SkinData()->Colours().ButtonFace);
  const bool horizontal = Horizontal();
  const UpDownHalves halves = SplitUpDown(area, horizontal);
  UpDownLook look;
  look.disabled = (GetWindowLongPtrW(Window(), GWL_STYLE) & WS_DISABLED) != 0;
  look.pressed = Pressed() ? pressedHalf_ : UpDownHalf::None;
  look.hot = Hot() ? hotHalf_ : UpDownHalf::None;
  const UpDownStates states = UpDownStatesOf(look);

  const auto* object =
      SkinData()->SlotAs<TDataSkinBorder>(horizontal ? SkinSlot::UpDownHorz : SkinSlot::UpDownVert);
  for (const auto& [which, half, state] : {std::tuple{UpDownHalf::First, halves.first, states.first},
                                           std::tuple{UpDownHalf::Second, halves.second, states.second}}) {
    if (!object || object->Image.Empty()) {
      PaintPlainHalf(dc, half, state, which);
      continue;
    }
    const int frame = UpDownFrame(which, state);
    StripFrame strip{object->Image};
    strip.count = object->Frames;
    strip.index = frame;
    strip.transparent = true;
    DrawFrameStretched(dc, half, strip);
    if (!object->Image2.Empty()) {
      StripFrame glyph{object->Image2};
      glyph.count = object->Frames;
      glyph.index = frame;
      glyph.transparent = true;
      DrawFrameCentered(dc, half, glyph);
    }
  }
}

void TSkinUpDown::PaintPlainHalf(HDC dc, const Rect& half, int state, UpDownHalf which) const {
  const TSkinColours& colours = SkinData()->Colours();
  const bool sunk = state == 2 || state == 4;
  OwnedBrush face(CreateSolidBrush(ColorToRGB(sunk ? colours.ButtonShadow : colours.ButtonFace)));
  OwnedPen outline(CreatePen(PS_SOLID, 1, ColorToRGB(colours.ButtonDkShadow)));
  {
    SelectionScope brush(dc, face.Get());
    SelectionScope pen(dc, outline.Get());
    Rectangle(dc, half.left, half.top, half.right, half.bottom);
  }
  OwnedPen arrowPen(CreatePen(PS_SOLID, 1, ColorToRGB(state == 3 ? colours.ButtonShadow : colours.ButtonText)));
  SelectionScope pen(dc, arrowPen.Get());
  DrawArrow(dc, (half.left + half.right) / 2, (half.top + half.bottom) / 2, which, Horizontal());
}

}  // namespace quonel
