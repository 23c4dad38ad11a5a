#include "skin/manager/window_class.h"

#include "core/ascii_case.h"

namespace quonel {

std::wstring WindowClassName(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? length : 0);
}

std::wstring LowerAscii(std::wstring text) {
  for (wchar_t& c : text) c = AsciiLower(c);
  return text;
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

bool IsMdiChildWindow(HWND window) {
  if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD) return true;
  HWND parent = GetParent(window);
  return parent && LowerAscii(WindowClassName(parent)) == L"mdiclient";
}

}  // namespace quonel
