// TSkinGroupBox: a group box in the skin's colours - the face fill, a rounded
// frame in the shadow colour and the caption on the face colour, which
// interrupts the frame line; the box's windowless children are painted too.
#pragma once
#include "skin/controls/skin_control.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TSkinGroupBox : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinGroupBox"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;

 protected:
  bool BeforeMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  void PaintBox(HDC dc, const RECT& rect);
  SkinBitmap offscreen_;
};

}  // namespace quonel
