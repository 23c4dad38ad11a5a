// An off-screen bitmap with a DC selected on it, for tests that let a window
// paint (WM_PRINTCLIENT) or an image list draw, and then read pixels.
#pragma once
#include <windows.h>

#include "core/win32_owners.h"

namespace quonel::testing {

class MemoryDc {
 public:
  MemoryDc(int width, int height)
      : bitmap_(CreateCompatibleBitmap(WindowDc().Get(), width, height)), selected_(dc_.Get(), bitmap_.Get()) {
    RECT all = {0, 0, width, height};
    FillRect(dc_.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }

  HDC Get() const { return dc_.Get(); }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_.Get(), x, y); }
  // Lets a window paint its client area into this DC.
  void PrintClient(HWND window) const {
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.Get()), PRF_CLIENT);
  }

 private:
  quonel::MemoryDc dc_;
  OwnedBitmap bitmap_;
  SelectionScope selected_;
};

}  // namespace quonel::testing
