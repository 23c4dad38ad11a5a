// A stand-in for a component class whose own code is not part of the
// program yet: it keeps the class name of the stored layout, takes any
// stored property and keeps its text, so that the layout can already name
// the component in its place with its stored settings.
#pragma once
#include <map>
#include <string>

#include "ui/component.h"

namespace quonel {

class TPlaceholderComponent : public TComponent {
 public:
  TPlaceholderComponent(TComponent* owner, std::wstring className)
      : TComponent(owner), className_(std::move(className)) {}
  const wchar_t* ClassName() const override { return className_.c_str(); }

  void KeepProperty(const std::wstring& name, const std::wstring& text) { kept_[name] = text; }
  // The stored text of a property ("" when not stored).
  std::wstring KeptProperty(const std::wstring& name) const;

 private:
  std::wstring className_;
  std::map<std::wstring, std::wstring> kept_;
};

// Registers className as a placeholder unless a real class has registered
// under that name already; a real class registering later replaces it.
void RegisterPlaceholderClass(const std::wstring& className);

}  // namespace quonel
