#include "ui/placeholder_control.h"

namespace quonel {

TPlaceholderControl::TPlaceholderControl(TComponent* owner, std::wstring className)
    : TWinControl(owner), className_(std::move(className)) {
  SetParentColor(true);
}

void RegisterPlaceholderControlClass(const std::wstring& className) {
  RegisterPlaceholder<TPlaceholderControl>(className, L"TWinControl");
}

}  // namespace quonel
