// TCheckBox: a check box with an optional third, greyed state; the state is
// kept while the control has no window (hidden controls get theirs late)
// and read from the window while it has one.
#pragma once
#include "ui/win_control.h"

namespace quonel {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum class TLeftRight { taLeftJustify, taRightJustify };

class TCheckBox : public TWinControl {
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
  // taLeftJustify puts the caption left of the mark.
  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight alignment);
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allowGrayed_ = false;
  TLeftRight alignment_ = TLeftRight::taRightJustify;
};

void RegisterCheckBoxClass();

}  // namespace quonel
