// Reading a bar's state and painting it: the whole bar composed in one
// off-screen bitmap and copied in one blit.
#include "skin/controls/scrolling/scroll_overlay.h"

#include <algorithm>

#include "skin/controls/skin_control.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/skin_renderers.h"

namespace quonel {

namespace {

constexpr int kArrowFrames = 23;
// First frames of the arrow and grip images in the Scrollbar strip; each
// arrow has normal, pressed and (after one unused frame) hot frames, each
// grip normal, pressed and hot. A disabled bar shows itself by its track's
// disabled frame and a missing thumb; its arrows keep their usual frames.
constexpr int kLeftArrow = 1, kRightArrow = 5, kUpArrow = 9, kDownArrow = 13;
constexpr int kHorizontalGrip = 17, kVerticalGrip = 20;

int ArrowFrame(int first, bool hot, bool tracking) {
  if (hot) return tracking ? first + 1 : first + 3;
  return first;
}

}  // namespace

bool TWScrollbar::ReadState(BarState& state) const {
  const HWND target = Target();
  if (!target) return false;
  if (kind_ == kScrollBarControl) {
    if (!GetWindowRect(target, &state.bar)) return false;
    MapWindowPoints(nullptr, GetParent(target), reinterpret_cast<POINT*>(&state.bar), 2);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    if (!GetScrollInfo(target, SB_CTL, &info)) return false;
    state.invisible = !(GetWindowLongPtrW(target, GWL_STYLE) & WS_VISIBLE);
    state.enabled = IsWindowEnabled(target) != FALSE;
    state.length = vertical_ ? state.bar.bottom - state.bar.top : state.bar.right - state.bar.left;
    state.thumb = ScrollControlThumb({state.length, buttonSize_, {}}, {info.nMin, info.nMax, info.nPage, info.nPos}, true);
    return true;
  }
  const GetScrollBarInfoFunction function = PlatformScrollBarInfo();
  if (!function) return false;
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!function(target, kind_ == kHorizontalBar ? OBJID_HSCROLL : OBJID_VSCROLL, &info)) return false;
  state.bar = info.rcScrollBar;
  state.invisible = (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0;
  state.enabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
  state.length = vertical_ ? state.bar.bottom - state.bar.top : state.bar.right - state.bar.left;
  state.thumb = {info.xyThumbTop, info.xyThumbBottom};
  return true;
}

ThumbSpan TWScrollbar::ThumbShown(const BarState& state) const {
  if (!tracking_ || hotPart_ != kScrollThumb || kind_ == kScrollBarControl) return state.thumb;
  POINT cursor{};
  GetCursorPos(&cursor);
  const int moved = vertical_ ? cursor.y - dragStartCursor_.y : cursor.x - dragStartCursor_.x;
  return DraggedThumb({state.length, buttonSize_, dragThumb_}, dragStartThumb_, moved);
}

bool TWScrollbar::Compose(bool* changed) {
  *changed = false;
  TSkinData* data = owner_.SkinData();
  if (!data || !handle_) return false;
  const TDataSkinObject* strip = data->Slot(SkinSlot::Scrollbar);
  if (!strip || strip->Image.Empty()) return false;
  BarState state;
  if (!ReadState(state) || state.invisible) return false;
  RECT client{};
  GetClientRect(handle_, &client);
  const int barWidth = state.bar.right - state.bar.left;
  const int barHeight = state.bar.bottom - state.bar.top;
  if (barWidth <= 0 || barHeight <= 0) return false;
  // A bar larger than the overlay would be drawn outside it.
  if (kind_ != kScrollBarControl && (barWidth > client.right || barHeight > client.bottom)) return false;

  const int length = state.length;
  const int b = buttonSize_;
  const int thickness = ScrollBarThickness(strip->Image.Height(), b);
  Look look;
  look.width = barWidth;
  look.height = barHeight;
  if (kind_ == kScrollBarControl) (vertical_ ? look.width : look.height) = thickness;
  look.enabled = state.enabled;
  look.firstArrow = ArrowFrame(vertical_ ? kUpArrow : kLeftArrow, hotPart_ == kScrollFirstArrow, tracking_);
  look.secondArrow =
      ArrowFrame(vertical_ ? kDownArrow : kRightArrow, hotPart_ == kScrollSecondArrow, tracking_);
  look.thumb = ThumbShown(state);
  look.thumbFrame = hotPart_ == kScrollThumb ? (tracking_ ? 2 : 3) : 1;
  look.strip = strip->Image.Handle();
  if (canvasValid_ && look == composed_) return true;

  const int width = look.width, height = look.height;
  if (canvas_.Width() != width || canvas_.Height() != height) canvas_ = SkinBitmap::Create(width, height);
  canvasValid_ = false;
  if (canvas_.Empty()) return false;
  BitmapDc composing(canvas_);
  const HDC memory = composing.Get();
  SetStretchBltMode(memory, COLORONCOLOR);
  FillWithColor(memory, {0, 0, width, height}, data->Colours().ButtonFace);
  // A piece of the bar from `from` to `to` along its axis, the bar's thickness across.
  auto along = [&](int from, int to) {
    return vertical_ ? Rect{0, from, thickness, to} : Rect{from, 0, to, thickness};
  };

  if (const TDataSkinObject* track = data->Slot(vertical_ ? SkinSlot::VertScroll : SkinSlot::HorzScroll);
      track && !track->Image.Empty())
    DrawSkinObject(memory, along(b, length - b), 4, look.enabled ? 1 : 3, *track);

  const int arrow = ScrollArrowLength(length, b);
  StripFrame arrows{strip->Image};
  arrows.count = kArrowFrames;
  arrows.transparent = true;
  arrows.index = look.firstArrow;
  DrawFrameStretched(memory, along(0, arrow), arrows);
  arrows.index = look.secondArrow;
  DrawFrameStretched(memory, along(length - arrow, length), arrows);

  const ThumbSpan thumb = look.thumb;
  const TDataSkinObject* thumbObject = data->Slot(vertical_ ? SkinSlot::VertScrollThumb : SkinSlot::HorzScrollThumb);
  const bool inside = thumb.start >= 0 && thumb.end <= length && thumb.Length() > 0;
  if (look.enabled && inside && thumbObject && !thumbObject->Image.Empty()) {
    StripFrame body{thumbObject->Image};
    body.count = std::max(1, thumbObject->Frames);
    body.index = std::min(look.thumbFrame, body.count);
    body.margins = thumbObject->Margins;
    body.transparent = thumbObject->Trans == 1;
    DrawSkinImage(memory, along(thumb.start, thumb.end), body);

    const int grip = strip->Image.Height();
    if (thumb.Length() + 2 > grip) {
      const int gripWidth = strip->Image.Width() / kArrowFrames;
      const int at = thumb.start + (thumb.Length() - grip) / 2;
      const int across = (thickness - (vertical_ ? gripWidth : grip)) / 2;
      const Rect place = vertical_ ? Rect{across, at, across + gripWidth, at + grip}
                                   : Rect{at, across, at + gripWidth, across + grip};
      if (place.left >= 0 && place.top >= 0 && place.right <= width && place.bottom <= height) {
        arrows.index = (vertical_ ? kVerticalGrip : kHorizontalGrip) + look.thumbFrame - 1;
        DrawFrameStretched(memory, place, arrows);
      }
    }
  }
  composed_ = look;
  canvasValid_ = true;
  *changed = true;
  return true;
}

void TWScrollbar::Paint(HDC dc) {
  bool changed = false;
  if (!Compose(&changed)) return;
  BitmapDc composed(canvas_);
  if (kind_ == kScrollBarControl) {
    RECT client{};
    GetClientRect(handle_, &client);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, client.right, client.bottom, composed.Get(), 0, 0, canvas_.Width(), canvas_.Height(),
               SRCCOPY);
  } else {
    BitBlt(dc, 0, 0, canvas_.Width(), canvas_.Height(), composed.Get(), 0, 0, SRCCOPY);
  }
}

}  // namespace quonel
