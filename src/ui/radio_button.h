// TRadioButton: one choice of a group; checking it unchecks the radio
// buttons beside it in the same parent.
#pragma once
#include "ui/button_control.h"

namespace quonel {

class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TRadioButton"; }

  bool Checked() const { return CheckValue() == BST_CHECKED; }
  void SetChecked(bool checked);

 protected:
  void CreateParams(TCreateParams& params) override;
  void Clicked() override;
};

void RegisterRadioButtonClass();

}  // namespace quonel
