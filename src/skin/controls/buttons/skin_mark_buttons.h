// Check boxes and radio buttons: the mark comes from the skin's CheckButton
// or RadioButton strip, drawn with magenta transparent. A library control
// with a mark image is painted whole by the skin (mark and caption on the
// skin's face colour); a bare window paints itself and the skin draws its
// mark over it after each paint.
#pragma once
#include "skin/controls/buttons/mark_frames.h"
#include "skin/controls/skin_control.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TSkinMarkButton : public TSkinControl {
 public:
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;
  // The frame of the mark strip for the control's present state.
  virtual int MarkFrame() = 0;

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;
  virtual const SkinBitmap* MarkImage() const = 0;
  virtual int MarkFrameCount() const = 0;
  virtual bool IsRadio() const = 0;

 private:
  void TakeTransparencyRule();
  void DrawCaption(HDC dc, const RECT& area, UINT format);

  bool transparent_ = false;
  SkinBitmap offscreen_;
};

class TSkinCheckBox : public TSkinMarkButton {
 public:
  const wchar_t* ClassName() const override { return L"TSkinCheckBox"; }
  int MarkFrame() override;
  // The state the control's window and properties report.
  CheckMarkState ReadCheckState();

 protected:
  void AfterMessage(TMessage& message) override;
  const SkinBitmap* MarkImage() const override;
  int MarkFrameCount() const override;
  bool IsRadio() const override { return false; }

 private:
  // Set by BM_SETCHECK: 0 unknown, 1 unchecked, 2 checked, 3 indeterminate.
  int lastCheckState_ = 0;
};

class TSkinRadioButton : public TSkinMarkButton {
 public:
  const wchar_t* ClassName() const override { return L"TSkinRadioButton"; }
  int MarkFrame() override;

 protected:
  const SkinBitmap* MarkImage() const override;
  int MarkFrameCount() const override;
  bool IsRadio() const override { return true; }
};

}  // namespace quonel
