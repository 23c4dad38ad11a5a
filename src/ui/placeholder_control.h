// A stand-in for a windowed control class whose own code is not part of the
// program yet: it takes its place and box on the form (an empty window in
// the parent's colour) and keeps its other stored properties as text.
#pragma once
#include <map>
#include <string>

#include "ui/win_control.h"

namespace quonel {

class TPlaceholderControl : public TWinControl {
 public:
  TPlaceholderControl(TComponent* owner, std::wstring className);
  const wchar_t* ClassName() const override { return className_.c_str(); }
  void KeepProperty(const std::wstring& name, const std::wstring& text) { kept_[name] = text; }
  std::wstring KeptProperty(const std::wstring& name) const;

 private:
  std::wstring className_;
  std::map<std::wstring, std::wstring> kept_;
};

// Registers className as a placeholder control unless a real class has
// registered under that name already.
void RegisterPlaceholderControlClass(const std::wstring& className);

}  // namespace quonel
