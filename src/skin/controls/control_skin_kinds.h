// Which control skin a bare window of a standard class gets (a message box's
// buttons and its dialog window): the skin's kind name, or "" for none.
// Platform-free: the caller passes the class name and the window style.
#pragma once
#include <cstdint>
#include <string>

namespace quonel {

// The window's class name (any letter case) and style.
std::wstring BareWindowSkinKind(const std::wstring& className, uint32_t style);

}  // namespace quonel
