#include "skin/controls/bars/skin_track_bar.h"

#include <utility>

#include "core/win32_owners.h"
#include "skin/controls/bars/bar_geometry.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/skin_messages.h"

namespace quonel {

namespace {

constexpr int kThumbFrames = 5;
constexpr int kThumbFrame = 2;

}  // namespace

TSkinTrackBar::TSkinTrackBar() {
  parentLink_.SetHandler([this](TWindowSubclass& link, TMessage& message) {
    if (message.Msg == WM_NOTIFY && SkinActive() && Window()) {
      const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
      if (header && header->hwndFrom == Window() && header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(header));
        return;
      }
    }
    link.CallNext(message);
  });
}

void TSkinTrackBar::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  TSkinControl::AttachHandle(window, data, form);
  if (GetLifeState() == kAttached) parentLink_.Attach(GetParent(window));
}

void TSkinTrackBar::Detach() {
  parentLink_.Detach();
  TSkinControl::Detach();
}

void TSkinTrackBar::SkinChanged() {
  const HWND window = Window();
  const bool hadFocus = window && GetFocus() == window;
  TSkinControl::SkinChanged();
  if (hadFocus && GetFocus() != window) SetFocus(window);
}

bool TSkinTrackBar::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  // A notification reflected to a library control; the same number with the
  // skin's marker is a skin message, not a notification.
  if (message.Msg == CN_BASE + WM_NOTIFY && !IsMarkedSkinMessage(message.Msg, message.LParam)) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    if (header && header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
      message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(header));
      return false;
    }
  }
  return true;
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw) {
  if (!SkinData()) return CDRF_DODEFAULT;
  const bool vertical = (GetWindowLongPtrW(Window(), GWL_STYLE) & TBS_VERT) != 0;
  if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  // A bad skin image must not stop the control painting.
  try {
    switch (draw.dwItemSpec) {
      case TBCD_CHANNEL: {
        const TDataSkinObject* channel = SkinData()->Slot(vertical ? SkinSlot::TrackVert : SkinSlot::Track);
        if (!channel || channel->Image.Empty()) return CDRF_DODEFAULT;
        DrawChannel(draw.hdc, vertical);
        return CDRF_SKIPDEFAULT;
      }
      case TBCD_THUMB:
        DrawThumb(draw.hdc, vertical);
        return CDRF_SKIPDEFAULT;
    }
  } catch (...) {
  }
  return CDRF_DODEFAULT;
}

void TSkinTrackBar::DrawChannel(HDC dc, bool vertical) {
  const TDataSkinObject& channel = *SkinData()->Slot(vertical ? SkinSlot::TrackVert : SkinSlot::Track);
  RECT r{};
  SendMessageW(Window(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
  // The platform answers a vertical bar's channel lying down.
  if (vertical && r.right - r.left > r.bottom - r.top) r = {r.top, r.left, r.bottom, r.right};
  const int frames = channel.Frames > 0 ? channel.Frames : 1;
  StripFrame strip{channel.Image};
  strip.count = frames;
  strip.tile = channel.Tile != 0;
  strip.transparent = channel.Trans == 1;
  // Three slices: only the margins along the channel stay fixed.
  strip.margins = vertical ? Margins{0, channel.Margins.top, 0, channel.Margins.bottom}
                           : Margins{channel.Margins.left, 0, channel.Margins.right, 0};
  const Rect place =
      TrackChannelImageRect(FromRECT(r), channel.Image.Width() / frames, channel.Image.Height(), vertical);
  DrawSkinImage(dc, place, strip);
}

void TSkinTrackBar::DrawThumb(HDC dc, bool vertical) {
  RECT r{};
  SendMessageW(Window(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
  const TDataSkinObject* thumb = SkinData()->Slot(vertical ? SkinSlot::TrackThumbVert : SkinSlot::TrackThumbHorz);
  if (thumb && !thumb->Image.Empty()) {
    StripFrame frame{thumb->Image};
    frame.count = kThumbFrames;
    frame.index = kThumbFrame;
    frame.transparent = true;
    DrawFrameStretched(dc, FromRECT(r), frame);
    return;
  }
  OwnedPen pen(CreatePen(PS_SOLID, 1, ColorToRGB(SkinData()->Colours().ButtonShadow)));
  SelectionScope selectedPen(dc, pen.Get());
  SelectionScope brush(dc, SkinData()->FaceBrush());
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

}  // namespace quonel
