#include "ui/placeholder_component.h"

#include "ui/property_registry.h"

namespace quonel {

std::wstring TPlaceholderComponent::KeptProperty(const std::wstring& name) const {
  auto found = kept_.find(name);
  return found == kept_.end() ? std::wstring() : found->second;
}

void RegisterPlaceholderClass(const std::wstring& className) {
  ClassInfo& info = RegisterClassInfo(className, L"TComponent");
  if (info.create) return;
  info.create = [className](TComponent* owner) -> TComponent* {
    return new TPlaceholderComponent(owner, className);
  };
  info.keepUnknown = [](TPersistent& object, const std::wstring& name, const std::wstring& text) {
    static_cast<TPlaceholderComponent&>(object).KeepProperty(name, text);
  };
}

}  // namespace quonel
