// What the skin manager reads of a window to decide about it: its class name
// (as given and in lower case) and its styles.
#pragma once
#include <windows.h>

#include <string>

namespace quonel {

std::wstring WindowClassName(HWND window);
std::wstring LowerAscii(std::wstring text);

// The module the skin engine is linked into: its windows are the program's own.
HINSTANCE ThisModule();

// A child window of an MDI client: framed like a top-level window.
bool IsMdiChildWindow(HWND window);

}  // namespace quonel
