// TGroupBox: a framed, captioned container for other controls.
#pragma once
#include "ui/win_control.h"

namespace quonel {

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TGroupBox"; }
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
};

void RegisterGroupBoxClass();

}  // namespace quonel
