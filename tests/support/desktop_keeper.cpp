// Stays on Wine's desktop for a whole test session, with no visible window.
// With no program on it, Wine closes the desktop a second after the last one
// leaves; the next program to need it starts it again and passes on its own
// output, so a test whose program did that is held open until its time limit.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!window) return 1;
  // The desktop window itself belongs to the desktop's own process: asking
  // for it is what starts that process now, with this program's quiet output.
  GetDesktopWindow();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
