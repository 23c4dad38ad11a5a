// TSkinStatusBar: a status bar on the skin's face colour, each panel framed
// by its bevel from the StatusBarEdges strip (raised 2, lowered 1, none 3),
// its text in the section's text colour and the size grip from ExtraImages.
// Owner-drawn panels are handed to the bar's parent afterwards, as the
// platform does, inside their frame. TSkinSizer: a size grip filled with the
// face colour.
#pragma once
#include "skin/controls/skin_control.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TSkinStatusBar : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinStatusBar"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  struct Panel;
  void DrawPanel(HDC dc, const Panel& panel);
  void DrawOwnerPanels(HDC dc, int count, int barWidth);
  SkinBitmap offscreen_;
};

class TSkinSizer : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinSizer"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;
};

}  // namespace quonel
