#include "skin/gdi/skin_text.h"

#include <vector>

#include "skin/gdi/transparent_blit.h"
#include "core/ansi_text.h"

namespace quonel {

int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
  if (IsWindowsNT()) return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  const std::string ansi = WideToAnsi(text);
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
  return AnsiToWide(buffer.data());
}

}  // namespace quonel
