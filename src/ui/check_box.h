// TCheckBox: a check box with an optional third, greyed state.
#pragma once
#include "ui/button_control.h"

namespace quonel {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TCheckBox"; }

  TCheckBoxState State() const;
  void SetState(TCheckBoxState state);
  bool Checked() const { return State() == TCheckBoxState::cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  // A click steps through the greyed state too.
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void Clicked() override { Click(); }

 private:
  bool allowGrayed_ = false;
};

void RegisterCheckBoxClass();

}  // namespace quonel
