// TSkinTab31: the older tab set (tabs hanging down from its top edge). Every
// tab is the skin's Tabs strip turned upside down, frame 2 for the current
// tab and 1 for the others, with its text centred in the section's
// MouseOverColour2 (current) or NormalColour2.
#pragma once
#include "skin/controls/skin_control.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TSkinTab31 : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinTab31"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  SkinBitmap canvas_;
};

}  // namespace quonel
