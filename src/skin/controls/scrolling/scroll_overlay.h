// TWScrollbar: a small borderless window laid exactly over one scroll bar of
// a scrolled window (kinds 0 and 1: the window's own horizontal or vertical
// bar in its non-client area) or over a scroll bar control (kind 2). It
// paints a skinned bar from the live scroll state and hands every click back
// to the scrolled window, so that the platform's own scrolling (arrow repeat,
// paging, thumb tracking) runs unchanged.
//
// The overlay is a plain window of its own class, not a control of the
// library: a library control joins its parent's control list, and the
// library re-sorts the windows of that list by tab order, which would push
// the overlay under the bar it covers. Its owner skin keeps it above its
// target instead, on every move of the target.
#pragma once
#include <windows.h>

#include "core/liveness.h"
#include "skin/controls/scrolling/scroll_geometry.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TControl;
class TSkinControl;

class TWScrollbar {
 public:
  enum Kind { kHorizontalBar = 0, kVerticalBar = 1, kScrollBarControl = 2 };

  // The owner gives the target window (its Window()) and the skin data.
  explicit TWScrollbar(TSkinControl& owner);
  ~TWScrollbar();
  TWScrollbar(const TWScrollbar&) = delete;
  TWScrollbar& operator=(const TWScrollbar&) = delete;

  // A library control; for kind 2 its Kind property gives the orientation.
  void AttachToControl(TControl* control, Kind kind);
  // A bare window; for kind 2 its SBS_VERT style gives the orientation.
  void AttachToWindow(HWND window, Kind kind);

  // Places, shows or hides the overlay after the bar's state.
  void Reposition();
  void HideBar();
  // The part under a point of the overlay's client area.
  ScrollPart HitTest(POINT point);
  // The part a scroll notification names (any request code); repaints.
  void SetHotPart(int part);
  // Paints the bar now, when shown and when it looks different from what
  // the overlay shows (the overlay's pixels stay: nothing paints over it).
  void Repaint();
  void SetEnabled(bool enabled);

  bool Shown() const { return shown_; }
  bool Tracking() const { return tracking_; }
  int HotPart() const { return hotPart_; }
  HWND Handle() const { return handle_; }
  Kind BarKind() const { return kind_; }
  bool Vertical() const { return vertical_; }
  // The bar's rectangle in the target's client coordinates.
  const RECT& BarRect() const { return barRect_; }

 private:
  // What the bar looks like now.
  struct BarState {
    RECT bar{};  // screen (kinds 0, 1) or the parent's client coordinates (kind 2)
    bool invisible = false;
    bool enabled = true;
    int length = 0;
    ThumbSpan thumb;  // from the bar's start
  };

  static void RegisterOverlayClass();
  static LRESULT CALLBACK OverlayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  HWND Target() const;
  // False when the state cannot be read.
  bool ReadState(BarState& state) const;
  bool EnsureWindow(HWND target);
  void PlaceAbove(HWND target);
  // What one composition of the bar shows; an equal one needs no new paint.
  struct Look {
    int width = 0, height = 0;
    int firstArrow = 0, secondArrow = 0, thumbFrame = 0;
    ThumbSpan thumb;
    bool enabled = false;
    HBITMAP strip = nullptr;  // a reloaded skin has new bitmaps
    bool operator==(const Look&) const = default;
  };
  // Composes the bar into canvas_ unless it already shows that look; false
  // when there is nothing to show. changed: whether it composed.
  bool Compose(bool* changed);
  // Compose, then copy the canvas to dc.
  void Paint(HDC dc);
  // The thumb as drawn: the platform's, or where the cursor drags it.
  ThumbSpan ThumbShown(const BarState& state) const;
  void ButtonDown(POINT point);
  void ButtonUp(POINT point);
  void MouseMove(POINT point);
  void MouseLeave();

  TSkinControl& owner_;
  TControl* control_ = nullptr;
  Kind kind_ = kHorizontalBar;
  bool vertical_ = false;
  HWND handle_ = nullptr;
  RECT barRect_{};
  POINT barOrigin_{};
  POINT dragStartCursor_{};
  int dragStartThumb_ = 0;
  ThumbSpan dragThumb_{};
  int length_ = 0;
  int hotPart_ = kScrollNone;
  int buttonSize_ = 0;
  bool shown_ = false;
  bool tracking_ = false;
  bool enabled_ = true;
  bool leaveRequested_ = false;
  SkinBitmap canvas_;  // the bar composed off screen, kept between paints
  Look composed_;       // what canvas_ shows
  bool canvasValid_ = false;
  // A click forwarded to the target may run a modal loop in which the owner
  // skin, and this overlay, are freed.
  TLiveness liveness_;
};

}  // namespace quonel
