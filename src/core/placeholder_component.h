// A stand-in for a component class whose own code is not part of the
// program yet: it keeps the class name of the stored layout, takes any
// stored property and keeps its text, so that the layout can already name
// the component in its place with its stored settings.
#pragma once
#include <map>
#include <string>

#include "core/component.h"
#include "core/property_registry.h"

namespace quonel {

// The stored settings a placeholder keeps, as text, by property name.
class KeptProperties {
 public:
  void KeepProperty(const std::wstring& name, const std::wstring& text) { kept_[name] = text; }
  // The stored text of a property ("" when not stored).
  std::wstring KeptProperty(const std::wstring& name) const;

 private:
  std::map<std::wstring, std::wstring> kept_;
};

class TPlaceholderComponent : public TComponent, public KeptProperties {
 public:
  TPlaceholderComponent(TComponent* owner, std::wstring className)
      : TComponent(owner), className_(std::move(className)) {}
  const wchar_t* ClassName() const override { return className_.c_str(); }

 private:
  std::wstring className_;
};

// Registers className as a placeholder unless a real class has registered
// under that name already; a real class registering later replaces it.
void RegisterPlaceholderClass(const std::wstring& className);

// Registers className, deriving from parentName, with a factory for a
// placeholder of type Placeholder (constructed from owner and class name).
template <class Placeholder>
void RegisterPlaceholder(const std::wstring& className, const std::wstring& parentName);

template <class Placeholder>
void RegisterPlaceholder(const std::wstring& className, const std::wstring& parentName) {
  ClassInfo& info = RegisterClassInfo(className, parentName);
  if (info.create) return;
  info.create = [className](TComponent* owner) -> TComponent* { return new Placeholder(owner, className); };
  info.keepUnknown = [](TPersistent& object, const std::wstring& name, const std::wstring& text) {
    static_cast<Placeholder&>(object).KeepProperty(name, text);
  };
}

}  // namespace quonel
