// TSkinUpDown: a spin button (an up-down control on its own, the scroller
// of a tab control, or a spin button inside an edit) painted in two halves
// from the skin's UpDown.Vert or UpDown.Horz strip - eight frames, the
// first half's normal, pressed, disabled and hot images, then the second
// half's - with the section's glyphs; a skin without the strip gets flat
// halves in the skin's colours with small arrows.
#pragma once
#include "skin/controls/skin_control.h"
#include "skin/controls/text_entry/up_down_layout.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TSkinUpDown : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinUpDown"; }
  // Set by the edit that found this spin button among its children: the
  // button then stays clear of the edit's skinned border.
  void SetEditBuddy(bool buddy) { editBuddy_ = buddy; }
  // Arrows left and right whatever the window's style says (a tab scroller).
  void SetHorizontal(bool horizontal) { horizontal_ = horizontal; }
  bool Horizontal() const;

 protected:
  bool BeforeMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  UpDownHalf HalfAt(LPARAM point) const;
  void PaintHalves(HDC dc, const Rect& area);
  void PaintPlainHalf(HDC dc, const Rect& half, int state, UpDownHalf which) const;

  bool editBuddy_ = false;
  bool horizontal_ = false;
  UpDownHalf pressedHalf_ = UpDownHalf::None;
  UpDownHalf hotHalf_ = UpDownHalf::None;
  SkinBitmap offscreen_;
};

}  // namespace quonel
