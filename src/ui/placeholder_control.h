// A stand-in for a windowed control class whose own code is not part of the
// program yet: it takes its place and box on the form (an empty window in
// the parent's colour) and keeps its other stored properties as text.
#pragma once
#include <string>

#include "core/placeholder_component.h"
#include "ui/win_control.h"

namespace quonel {

class TPlaceholderControl : public TWinControl, public KeptProperties {
 public:
  TPlaceholderControl(TComponent* owner, std::wstring className);
  const wchar_t* ClassName() const override { return className_.c_str(); }

 private:
  std::wstring className_;
};

// Registers className as a placeholder control unless a real class has
// registered under that name already.
void RegisterPlaceholderControlClass(const std::wstring& className);

}  // namespace quonel
