#include "skin/controls/bars/skin_tool_bar.h"

#include "core/property_access.h"
#include "core/win32_owners.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/skin_messages.h"
#include "ui/control.h"

namespace quonel {

namespace {

constexpr int kToolBarFrames = 5;

bool IsOurCustomDraw(const NMHDR* header, HWND window) {
  return header && header->hwndFrom == window && header->code == static_cast<UINT>(NM_CUSTOMDRAW);
}

}  // namespace

TSkinToolBar::TSkinToolBar() {
  parentLink_.SetHandler([this](TWindowSubclass& link, TMessage& message) {
    if (message.Msg == WM_NOTIFY && SkinActive() && Window()) {
      const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
      if (IsOurCustomDraw(header, Window())) {
        message.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(message.LParam));
        return;
      }
    }
    link.CallNext(message);
  });
}

void TSkinToolBar::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  // Flat buttons show the skin's frame only when it means something.
  if (control && GetEnumPropText(control, L"Flat") == L"False") SetPropText(control, L"Flat", L"True");
  TSkinControl::Attach(control, data, form, recolour);
}

void TSkinToolBar::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  TSkinControl::AttachHandle(window, data, form);
  if (GetLifeState() == kAttached) parentLink_.Attach(GetParent(window));
}

void TSkinToolBar::Detach() {
  parentLink_.Detach();
  TSkinControl::Detach();
}

int TSkinToolBar::ButtonFrame(UINT itemState, bool flat) {
  if (itemState & CDIS_DISABLED) return flat ? 0 : 3;
  if (itemState & (CDIS_SELECTED | CDIS_CHECKED)) return 2;
  if (itemState & CDIS_HOT) return 4;
  return flat ? 0 : 1;
}

bool TSkinToolBar::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  switch (message.Msg) {
    case WM_ERASEBKGND:
      if (!SkinData()) return true;
      PaintBackground(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return false;
    case CN_BASE + WM_NOTIFY: {
      // A notification reflected to a library control; the same number with
      // the skin's marker is a skin message, not a notification.
      if (IsMarkedSkinMessage(message.Msg, message.LParam)) return true;
      const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
      if (header && header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        message.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(message.LParam));
        return false;
      }
      return true;
    }
  }
  return true;
}

void TSkinToolBar::PaintBackground(HDC dc) {
  RECT client{};
  if (!dc || !NonEmptyClientRect(client)) return;
  const TDataSkinObject* gradient = SkinData()->Toolbar();
  if (InSet(SkinData()->Options(), xoToolbarBK) && gradient && !gradient->Image.Empty()) {
    StripFrame frame{gradient->Image};
    DrawFrameStretched(dc, {0, 0, client.right, client.bottom}, frame);
    return;
  }
  FillRect(dc, &client, SkinData()->FaceBrush());
}

LRESULT TSkinToolBar::CustomDraw(NMTBCUSTOMDRAW& draw) {
  if (!SkinData()) return CDRF_DODEFAULT;
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const TDataSkinObject* strip = SkinData()->Slot(SkinSlot::ToolBars);
  if (!strip || strip->Image.Empty()) return CDRF_DODEFAULT;
  const bool flat = (GetWindowLongPtrW(Window(), GWL_STYLE) & TBSTYLE_FLAT) != 0;
  const int frame = ButtonFrame(draw.nmcd.uItemState, flat);
  // A bad skin image must not stop the bar painting.
  try {
    const RECT& r = draw.nmcd.rc;
    if (frame > 0) DrawSkinObject(draw.nmcd.hdc, {r.left, r.top, r.right, r.bottom}, kToolBarFrames, frame, *strip);
  } catch (...) {
    return CDRF_DODEFAULT;
  }
  draw.clrText = ColorToRGB(strip->NormalColour2);
  // The bar draws the text and image, without its own edges.
  return TBCDRF_NOEDGES | TBCDRF_NOOFFSET;
}

}  // namespace quonel
