// Plain containers. TSkinBox gives a panel or an embedded form the skin's
// face colour and leaves its painting alone; TSkinBoxH paints a bare dialog
// window (a message box) in the face colour and lets its static texts draw
// on that colour.
#pragma once
#include "skin/controls/skin_control.h"

namespace quonel {

class TSkinBox : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinBox"; }
  // Recolours the control; its handler answers SKM_ISSKINNED and passes
  // everything else on.
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;

 protected:
  void AfterMessage(TMessage&) override {}
};

class TSkinBoxH : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinBoxH"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
};

}  // namespace quonel
