// TButtonControl: the base of the check box and the radio button - a button
// window with a check state that lives in the window while there is one and
// in the control while there is none, and a caption left or right of its mark.
#pragma once
#include "ui/win_control.h"

namespace quonel {

enum class TLeftRight { taLeftJustify, taRightJustify };

class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* owner) : TWinControl(owner) {}
  const wchar_t* ClassName() const override { return L"TButtonControl"; }

  // taLeftJustify puts the caption left of the mark.
  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight alignment);
  void WndProc(TMessage& message) override;

 protected:
  // The window's BM_GETCHECK value, or the kept one without a window.
  WPARAM CheckValue() const;
  void SetCheckValue(WPARAM value);
  // Changes a setting that needs a new window, keeping the check state.
  void RecreateKeepingCheck();
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  // A click of the window (BN_CLICKED), after the check state was read.
  virtual void Clicked() = 0;

 private:
  WPARAM check_ = BST_UNCHECKED;
  TLeftRight alignment_ = TLeftRight::taRightJustify;
};

}  // namespace quonel
