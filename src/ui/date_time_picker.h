// TDateTimePicker: the platform's date picker as a library control.
#pragma once
#include "ui/win_control.h"

namespace quonel {

class TDateTimePicker : public TWinControl {
 public:
  explicit TDateTimePicker(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TDateTimePicker"; }

 protected:
  void CreateParams(TCreateParams& params) override;
};

void RegisterDateTimePickerClass();

}  // namespace quonel
