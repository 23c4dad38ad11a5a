#include "skin/controls/text_entry/skin_combo_box.h"

#include <windowsx.h>

#include <algorithm>

#include "core/win32_owners.h"
#include "skin/controls/scrolling/skin_scrollbar.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/skin_messages.h"
#include "ui/win_control.h"

namespace quonel {

namespace {

bool HasImage(const TDataSkinObject* object) { return object && !object->Image.Empty(); }

StripFrame FrameOf(const SkinBitmap& image, const TDataSkinObject& object, int frame, bool transparent) {
  StripFrame strip{image};
  strip.count = object.Frames;
  strip.index = frame;
  strip.margins = object.Margins;
  strip.tile = object.Tile != 0;
  strip.transparent = transparent;
  return strip;
}

// The combo box inside an extended combo box, else null.
HWND InnerComboOf(HWND window) {
  wchar_t name[32] = {};
  if (!window || !GetClassNameW(window, name, 32) || _wcsicmp(name, WC_COMBOBOXEXW) != 0) return nullptr;
  return reinterpret_cast<HWND>(SendMessageW(window, CBEM_GETCOMBOCONTROL, 0, 0));
}

}  // namespace

TSkinComBox::TSkinComBox() = default;
TSkinComBox::~TSkinComBox() = default;

void TSkinComBox::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed && windowed->HandleAllocated() && InnerComboOf(windowed->Handle())) {
    AttachHandle(windowed->Handle(), data, form);
    return;
  }
  TSkinControl::Attach(control, data, form, recolour);
  AttachParts();
}

void TSkinComBox::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  // An extended combo box paints through its inner combo box: the skin
  // takes that one, and the outer window only says it is skinned.
  if (HWND inner = InnerComboOf(window)) {
    outerLink_.SetHandler([](TWindowSubclass& link, TMessage& message) {
      if (message.Msg == SKM_ISSKINNED) message.Result = 1;
      else link.CallNext(message);
    });
    outerLink_.Attach(window);
    window = inner;
  }
  TSkinControl::AttachHandle(window, data, form);
  AttachParts();
}

void TSkinComBox::Detach() {
  outerLink_.Detach();
  editLink_.Detach();
  listSkin_.reset();
  TSkinControl::Detach();
}

void TSkinComBox::AttachParts() {
  const HWND combo = Window();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetLifeState() != kAttached || !combo || !GetComboBoxInfo(combo, &info)) return;
  // A simple combo's list is a child that stays shown: its bars get the skin.
  if (info.hwndList && (GetWindowLongPtrW(info.hwndList, GWL_STYLE) & WS_CHILD)) {
    listSkin_ = std::make_unique<TSkinScrollbarH>();
    listSkin_->AttachHandle(info.hwndList, SkinData(), Form());
  }
  if (!info.hwndItem || info.hwndItem == combo) return;  // a drop-down list has no edit
  editLink_.SetHandler([this](TWindowSubclass& link, TMessage& message) {
    switch (message.Msg) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: mouseState_ |= kPressed; break;
      case WM_LBUTTONUP: mouseState_ &= ~kPressed; break;
    }
    link.CallNext(message);
    switch (message.Msg) {
      case WM_PAINT:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_LBUTTONUP: PaintFrame(nullptr); break;
    }
  });
  editLink_.Attach(info.hwndItem);
}

bool TSkinComBox::AtLeft() const {
  const HWND combo = Window();
  return combo && (GetWindowLongPtrW(combo, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
}

Rect TSkinComBox::ButtonArea(const Rect& control) const {
  return ComboButtonArea(control, GetSystemMetrics(SM_CXHSCROLL) + 2, AtLeft());
}

int TSkinComBox::ShownFrame() const {
  const HWND combo = Window();
  if (!combo) return 1;
  ComboLook look;
  look.disabled = (GetWindowLongPtrW(combo, GWL_STYLE) & WS_DISABLED) != 0;
  // A press the control captured ends without our seeing the release: the
  // held button counts only while the mouse button is down.
  look.pressed = SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0 ||
                 (Pressed() && (GetKeyState(VK_LBUTTON) & 0x8000) != 0);
  look.hot = Hot();
  const HWND focus = GetFocus();
  look.focused = focus && (focus == combo || GetParent(focus) == combo);
  return ComboFrame(look);
}

void TSkinComBox::SetHot(bool hot) {
  if (hot == Hot()) return;
  if (hot) mouseState_ |= kHot;
  else mouseState_ &= ~kHot;
  PaintFrame(nullptr);
}

bool TSkinComBox::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The control repaints itself on a change of focus; no second paint.
      CallDefault(message);
      return false;
  }
  return true;
}

void TSkinComBox::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE: {
      const HWND combo = Window();
      RECT client{};
      if (combo) GetClientRect(combo, &client);
      const Rect button = ButtonArea(FromRECT(client));
      const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
      const bool enabled = combo && (GetWindowLongPtrW(combo, GWL_STYLE) & WS_DISABLED) == 0;
      SetHot(enabled && x >= button.left && x < button.right && y >= button.top && y < button.bottom);
      if (combo) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, combo, 0};
        TrackMouseEvent(&track);
      }
      return;
    }
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
      SetHot(false);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      mouseState_ |= kPressed;
      PaintFrame(nullptr);
      return;
    case WM_LBUTTONUP:
      mouseState_ &= ~kPressed;
      PaintFrame(nullptr);
      return;
    case WM_DRAWITEM:
    case WM_NCPAINT:
      PaintFrame(nullptr);
      return;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinComBox::PaintSkin(HDC dc, const RECT& rect) {
  const HWND combo = Window();
  if (!combo || !SkinData()) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  // A simple combo shows no button and keeps its own look.
  if (!GetComboBoxInfo(combo, &info) || (info.stateButton & STATE_SYSTEM_INVISIBLE)) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  if (offscreen_.Width() != width || offscreen_.Height() != height) offscreen_ = SkinBitmap::Create(width, height);
  if (offscreen_.Empty()) return;
  BitmapDc memory(offscreen_);
  // What the control painted shows through the skin's transparent pixels.
  BitBlt(memory.Get(), 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
  const ComboPainting painting = Compose(memory.Get(), {0, 0, width, height}, ShownFrame());
  if (painting == ComboPainting::None) return;
  SavedDcState saved(dc);
  // The edit or item area stays the control's; a composite's transparent
  // middle already leaves it, and its button may be wider than the control's.
  if (painting == ComboPainting::AroundItem)
    ExcludeClipRect(dc, rect.left + info.rcItem.left, rect.top + info.rcItem.top, rect.left + info.rcItem.right,
                    rect.top + info.rcItem.bottom);
  BitBlt(dc, rect.left, rect.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

TSkinComBox::ComboPainting TSkinComBox::Compose(HDC dc, const Rect& whole, int frame) const {
  const TSkinData& data = *SkinData();
  const auto* button = data.SlotAs<TDataSkinBorder>(SkinSlot::ComboButton);
  const TDataSkinObject* sunk = data.Slot(SkinSlot::SunkEdge);
  const TDataSkinObject* glyph = data.Slot(SkinSlot::ExtraImages);
  const bool atLeft = AtLeft();
  if (HasImage(button) && button->Style == 2) {
    // One nine-slice of the whole control; its magenta middle is the edit's.
    const TDataSkinObject& composite = atLeft && HasImage(sunk) ? *sunk : *button;
    DrawSkinImage(dc, whole, FrameOf(composite.Image, composite, frame, true));
    return ComboPainting::Whole;
  }
  if (HasImage(button) && button->Style == 1) {
    RECT outer = ToRECT(whole), inner = outer;
    InflateRect(&inner, -1, -1);
    OwnedBrush shadow(CreateSolidBrush(ColorToRGB(data.Colours().ButtonShadow)));
    FrameRect(dc, &outer, shadow.Get());
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const Rect area = ButtonArea({whole.left + 2, whole.top + 2, whole.right - 2, whole.bottom - 2});
    FillWithColor(dc, area, data.Colours().ButtonFace);
    // The button at its own width, at most a thumb high, centred.
    const int frameWidth = button->Image.Width() / std::max(button->Frames, 1);
    const int frameHeight = std::min(button->Image.Height(), GetSystemMetrics(SM_CYVTHUMB));
    const int left = area.left + (area.Width() - frameWidth) / 2, top = area.top + (area.Height() - frameHeight) / 2;
    StripFrame strip = FrameOf(button->Image, *button, frame, true);
    DrawFrameStretched(dc, {left, top, left + frameWidth, top + frameHeight}, strip);
    return ComboPainting::AroundItem;
  }
  if (!HasImage(sunk) && !HasImage(button)) return ComboPainting::None;
  if (HasImage(sunk)) DrawSkinObject(dc, whole, sunk->Frames, frame, *sunk);
  const Margins edge = HasImage(sunk) ? sunk->Margins : Margins{};
  const Rect area = ButtonArea({whole.left + edge.left, whole.top + edge.top, whole.right - edge.right,
                               whole.bottom - edge.bottom});
  if (HasImage(button)) {
    const SkinBitmap& image = atLeft && !button->Image2.Empty() ? button->Image2 : button->Image;
    DrawSkinImage(dc, area, FrameOf(image, *button, frame, button->Trans == 1));
  }
  if (HasImage(glyph)) DrawFrameCentered(dc, area, FrameOf(glyph->Image, *glyph, frame, true));
  return ComboPainting::AroundItem;
}

}  // namespace quonel
