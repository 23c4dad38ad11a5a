// The scroll-bar skins of scrolled windows: TSkinScrollbar for a control of
// the library (list box, memo, and the base of the list view's skin),
// TSkinScrollbarH for a bare window known by its handle. Each owns a
// horizontal and a vertical overlay (TWScrollbar) that follow the window's
// own bars: shown and hidden with them, moved with the window, kept above it.
#pragma once
#include <memory>

#include "skin/controls/scrolling/scroll_overlay.h"
#include "skin/controls/skin_control.h"

namespace quonel {

// The two overlays of one scrolled window and what both skins do with them.
class TScrollOverlays {
 public:
  explicit TScrollOverlays(TSkinControl& owner) : horizontal(owner), vertical(owner) {}
  void Reposition();
  void Hide();
  void Repaint();
  void SetEnabled(bool enabled);
  // WM_HSCROLL / WM_VSCROLL: the bar's hot part is the scroll request;
  // WM_MOUSEWHEEL: both repaint. True when the message was one of those.
  bool FollowScrolling(const TMessage& message);
  // Shown overlays repaint, hidden ones over a bar the style names are placed.
  void RefreshAfterPaint(HWND window);
  // The overlays leave while skin handling is off (the platform's bars show) and come back with it.
  void FollowSkinActive(TSkinControl& owner);
  // The square between two shown bars, in the window DC's coordinates.
  void FillCorner(HWND window, HDC windowDc, TColor colour) const;

  TWScrollbar horizontal;
  TWScrollbar vertical;
};

class TSkinScrollbar : public TSkinControl {
 public:
  TSkinScrollbar();
  ~TSkinScrollbar() override;
  const wchar_t* ClassName() const override { return L"TSkinScrollbar"; }

  // Scroll-bar skins attach through AttachScrolled; the recolour flag is the skin's own.
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  virtual void AttachScrolled(TControl* control, TSkinData* data, TSkinForm* form);
  void Detach() override;
  void SkinChanged() override;

  // Null before attachment and after detachment.
  TWScrollbar* HorizontalBar() const { return overlays_ ? &overlays_->horizontal : nullptr; }
  TWScrollbar* VerticalBar() const { return overlays_ ? &overlays_->vertical : nullptr; }
  bool HasBorder() const { return border_; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;
  void SkinActiveChanged() override;

 private:
  void ApplyFixedColor();
  void PaintBorder(HDC windowDc);

  std::unique_ptr<TScrollOverlays> overlays_;
  bool border_ = false;
  bool fixedColourSaved_ = false;
  int64_t savedFixedColour_ = 0;
  bool recreating_ = false;  // the library is making the control's window again
};

class TSkinScrollbarH : public TSkinControl {
 public:
  TSkinScrollbarH();
  ~TSkinScrollbarH() override;
  const wchar_t* ClassName() const override { return L"TSkinScrollbarH"; }

  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;
  void Detach() override;

  TWScrollbar* HorizontalBar() const { return overlays_ ? &overlays_->horizontal : nullptr; }
  TWScrollbar* VerticalBar() const { return overlays_ ? &overlays_->vertical : nullptr; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;
  void SkinActiveChanged() override;

 private:
  std::unique_ptr<TScrollOverlays> overlays_;
};

}  // namespace quonel
