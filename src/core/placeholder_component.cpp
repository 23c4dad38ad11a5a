#include "core/placeholder_component.h"

#include "core/property_registry.h"

namespace quonel {

std::wstring KeptProperties::KeptProperty(const std::wstring& name) const {
  auto found = kept_.find(name);
  return found == kept_.end() ? std::wstring() : found->second;
}

void RegisterPlaceholderClass(const std::wstring& className) {
  RegisterPlaceholder<TPlaceholderComponent>(className, L"TComponent");
}

}  // namespace quonel
