// The program's icon: one icon resource of the executable, shown by its
// forms' windows and by skinned captions of windows without an icon.
#pragma once
#include <windows.h>

#include "core/win32_owners.h"

namespace quonel {

inline constexpr const wchar_t* kProgramIconName = L"MAINICON";

// The program's icon at the given size; empty when the executable has none.
inline OwnedIcon LoadProgramIcon(int width, int height) {
  return OwnedIcon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), kProgramIconName, IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
}

}  // namespace quonel
