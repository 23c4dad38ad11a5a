// TRadioButton: one choice of a group; checking it unchecks the radio
// buttons beside it in the same parent.
#pragma once
#include "ui/check_box.h"

namespace quonel {

class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TRadioButton"; }

  bool Checked() const;
  void SetChecked(bool checked);
  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight alignment);
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  bool checked_ = false;
  TLeftRight alignment_ = TLeftRight::taRightJustify;
};

void RegisterRadioButtonClass();

}  // namespace quonel
