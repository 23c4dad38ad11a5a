#include "ui/placeholder_control.h"

#include "ui/property_registry.h"

namespace quonel {

TPlaceholderControl::TPlaceholderControl(TComponent* owner, std::wstring className)
    : TWinControl(owner), className_(std::move(className)) {
  SetParentColor(true);
}

std::wstring TPlaceholderControl::KeptProperty(const std::wstring& name) const {
  auto found = kept_.find(name);
  return found == kept_.end() ? std::wstring() : found->second;
}

void RegisterPlaceholderControlClass(const std::wstring& className) {
  ClassInfo& info = RegisterClassInfo(className, L"TWinControl");
  if (info.create) return;
  info.create = [className](TComponent* owner) -> TComponent* { return new TPlaceholderControl(owner, className); };
  info.keepUnknown = [](TPersistent& object, const std::wstring& name, const std::wstring& text) {
    static_cast<TPlaceholderControl&>(object).KeepProperty(name, text);
  };
}

}  // namespace quonel
