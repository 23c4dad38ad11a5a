// TSkinButton: a push button drawn from the skin's five-frame Buttons strip
// (normal, pressed, disabled, hot, focused) with its caption and focus
// rectangle. It takes the mouse clicks over from the button: a press
// captures the mouse, and exactly one click follows a release over the
// button; leaving the button, losing the capture or a disabled button give
// none.
#pragma once
#include <array>

#include "skin/controls/skin_control.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TSkinButton : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinButton"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;
  void SkinChanged() override;

  // The frame of the Buttons strip for the present state.
  int VisualState();

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;
  // The prepared caption centred (or spread) in rect, and the focus
  // rectangle around it when the button has the focus.
  void DrawButtonCaption(HDC dc, const RECT& rect, UINT format);
  // Steps every push-button painter shares: the off-screen bitmap at the
  // rectangle's size with the background and the strip's frame for state
  // (frame drawn only when withFrame). False when the skin has no buttons.
  bool PrepareFace(const RECT& rect, int state, bool withFrame = true);
  // The caption colour of state: the skin's state colours where given,
  // clBtnShadow when disabled, else the font's.
  TColor StateTextColour(int state, TColor fontColour) const;
  // The state a focused button shows.
  virtual int FocusedState() const { return 5; }
  void FocusRectangle(HDC dc, RECT textRect, const RECT& bounds) const;

  SkinBitmap offscreen_;
  bool drawParentBackground_ = false;

 private:
  void TakeTransparencyRule();
  void Press();
  // Ends a press: the pointer went away, the capture was taken or the button released.
  void CancelPress();
  void Release(const TMessage& message);
  void Click();

  // The strip's frame for state over the face colour, at the button's size:
  // composed once, since the transparent nine-slice is the dear part.
  const SkinBitmap& Face(int state, int width, int height);

  std::array<SkinBitmap, 6> faces_;
};

}  // namespace quonel
