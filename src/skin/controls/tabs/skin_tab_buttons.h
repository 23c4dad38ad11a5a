// TSkinTabBtn: a tab control whose tabs are buttons, drawn from the skin's
// Buttons strip - frame 2 for the current tab, 1 for the others - with the
// tab's image and text centred in the section's normal or pressed colour.
#pragma once
#include "skin/controls/skin_control.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TSkinTabBtn : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinTabBtn"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  SkinBitmap canvas_;
};

}  // namespace quonel
