// Which skin a child window without a control object gets (a message box's
// buttons, a dialog nested in a common dialog, another library's panel), by
// its class name and style: the program's one table for bare windows.
// Platform-free: the caller passes the class name and the window style.
#pragma once
#include <cstdint>
#include <string>

namespace quonel {

struct ControlSkinChoice {
  bool handled = false;       // a rule applied (even one that attaches nothing)
  std::wstring kind;          // the skin to attach; empty: none
  bool skinChildren = false;  // the control's children are skinned too (before the skin itself)
  bool recolour = false;      // the skin takes the skin's colours
};

// className in any letter case.
ControlSkinChoice BareWindowChoice(const std::wstring& className, uint32_t style);

}  // namespace quonel
