// TButton: a push button; clicks arrive reflected from the parent, and the
// default and cancel buttons answer Return and Escape through CM_DIALOGKEY.
#pragma once
#include "ui/win_control.h"

namespace quonel {

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TButton"; }

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
};

void RegisterButtonClass();

}  // namespace quonel
