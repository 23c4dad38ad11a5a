// TGraphicControl: a control without a window, painted by its parent into the
// parent's DC (a WM_PAINT with the DC in wParam reaches its WindowProc) and
// fed the parent's mouse messages in its own coordinates.
#pragma once
#include "ui/control.h"
#include "ui/graphics.h"

namespace quonel {

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
  const wchar_t* ClassName() const override { return L"TGraphicControl"; }

  TCanvas& Canvas() { return canvas_; }
  void WndProc(TMessage& message) override;

 protected:
  // Draws the whole control on Canvas(), whose DC has its origin at the
  // control's top-left corner.
  virtual void Paint() {}
  void VisibleChanged() override;
  void EnabledChanged() override { Invalidate(); }

 private:
  TCanvas canvas_;
  bool pressed_ = false;
};

}  // namespace quonel
