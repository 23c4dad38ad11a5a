// TSkinButton: a push button drawn from the skin's five-frame Buttons strip
// (normal, pressed, disabled, hot, focused) with its caption and focus
// rectangle. It takes the mouse clicks over from the button: a press
// captures the mouse, and exactly one click follows a release over the
// button; leaving the button, losing the capture or a disabled button give
// none.
#pragma once
#include "skin/controls/skin_control.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TSkinButton : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinButton"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;

  // The frame of the Buttons strip for the present state.
  int VisualState();

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;
  // The prepared caption centred (or spread) in rect, and the focus
  // rectangle around it when the button has the focus.
  void DrawButtonCaption(HDC dc, const RECT& rect, UINT format);

 private:
  void TakeTransparencyRule();
  void Press();
  // Ends a press: the pointer went away, the capture was taken or the button released.
  void CancelPress();
  void Release(const TMessage& message);
  void Click();

  SkinBitmap offscreen_;
  bool drawParentBackground_ = false;
};

}  // namespace quonel
