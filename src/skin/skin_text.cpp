#include "skin/skin_text.h"

#include <vector>

#include "skin/transparent_blit.h"

namespace quonel {

int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
  if (IsWindowsNT()) return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(size > 0 ? size : 1, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), size, nullptr, nullptr);
  return DrawTextA(dc, ansi.c_str(), -1, &rect, format);
}

std::wstring GetControlText(HWND window) {
  if (IsWindowsNT()) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(length + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? copied : 0);
    return text;
  }
  std::vector<char> buffer(1000, '\0');
  SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.back() = '\0';
  const int size = MultiByteToWideChar(CP_ACP, 0, buffer.data(), -1, nullptr, 0);
  std::wstring text(size > 0 ? size : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, buffer.data(), -1, text.data(), size);
  text.resize(size > 0 ? size - 1 : 0);
  return text;
}

}  // namespace quonel
