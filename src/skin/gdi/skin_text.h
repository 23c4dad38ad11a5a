// Text helpers of the skinned controls: wide text on every platform.
#pragma once
#include <windows.h>

#include <string>

namespace quonel {

// DrawTextW on Windows NT; elsewhere the text in the ANSI code page through
// DrawTextA. Returns what the call returns.
int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format);
// The window's text: GetWindowTextW on Windows NT, else WM_GETTEXT into a
// 1000-byte ANSI buffer.
std::wstring GetControlText(HWND window);

}  // namespace quonel
