#include "ui/date_time_picker.h"

#include <commctrl.h>

#include "core/property_registry.h"

namespace quonel {

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_DATE_CLASSES};
  InitCommonControlsEx(&classes);
  SetBounds(0, 0, 186, 21);
  SetTabStop(true);
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = DATETIMEPICK_CLASSW;
}

void RegisterDateTimePickerClass() {
  ClassRegistrar<TDateTimePicker>(L"TDateTimePicker", L"TWinControl").Creatable();
}

}  // namespace quonel
