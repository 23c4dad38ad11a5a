#include "support/window_capture.h"

#include "core/win32_owners.h"
#include "support/png_writer.h"
#include "support/test_paths.h"

namespace quonel::testing {

COLORREF Capture::Pixel(int x, int y) const {
  const size_t at = (static_cast<size_t>(y) * width + x) * 3;
  return RGB(rgb[at], rgb[at + 1], rgb[at + 2]);
}

Capture CaptureWindow(HWND window) {
  RECT box;
  GetWindowRect(window, &box);
  Capture capture;
  capture.width = box.right - box.left;
  capture.height = box.bottom - box.top;

  void* bits = nullptr;
  WindowDc screen;
  MemoryDc memory(screen.Get());
  OwnedBitmap bitmap = CreateDibSection(capture.width, capture.height, 32, &bits);
  SelectionScope selected(memory.Get(), bitmap.Get());
  BitBlt(memory.Get(), 0, 0, capture.width, capture.height, screen.Get(), box.left, box.top, SRCCOPY);
  GdiFlush();
  capture.rgb.resize(static_cast<size_t>(capture.width) * capture.height * 3);
  const auto* pixels = static_cast<const uint8_t*>(bits);
  for (size_t i = 0, n = static_cast<size_t>(capture.width) * capture.height; i < n; ++i) {
    capture.rgb[i * 3] = pixels[i * 4 + 2];
    capture.rgb[i * 3 + 1] = pixels[i * 4 + 1];
    capture.rgb[i * 3 + 2] = pixels[i * 4];
  }
  return capture;
}

std::string SaveCapture(const Capture& capture, const std::string& name) {
  const std::string path = TestOutputDir() + "\\" + name + ".png";
  SaveCaptureTo(capture, path);
  return path;
}

bool SaveCaptureTo(const Capture& capture, const std::string& path) {
  return WritePngFile(path, capture.width, capture.height, capture.rgb);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace quonel::testing
