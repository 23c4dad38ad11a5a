// Screen captures of windows for window tests: pixels to assert on, and a
// PNG left in the test output folder for a person to look at.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quonel::testing {

struct Capture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows from the top, 3 bytes a pixel
  COLORREF Pixel(int x, int y) const;
};

// The window as it is on the screen, frame included.
Capture CaptureWindow(HWND window);
// Writes the capture as TestOutputDir()/name.png and returns the path.
std::string SaveCapture(const Capture& capture, const std::string& name);
// Writes the capture as the PNG file path; false when it cannot be written.
bool SaveCaptureTo(const Capture& capture, const std::string& path);
// Dispatches pending messages until none is left (painting included).
void PumpMessages();

}  // namespace quonel::testing
