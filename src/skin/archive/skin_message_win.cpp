#include <windows.h>

#include <string>

#include "skin/archive/skin_reader.h"

namespace quonel {

// Captioned like the toolkit's plain message: with the program's name.
void ShowSkinMessage(const std::wstring& text) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring title(path, length);
  const size_t slash = title.find_last_of(L"\\/");
  if (slash != std::wstring::npos) title.erase(0, slash + 1);
  const size_t dot = title.find_last_of(L'.');
  if (dot != std::wstring::npos) title.erase(dot);
  MessageBoxW(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK);
}

}  // namespace quonel
