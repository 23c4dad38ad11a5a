// A real window under Xvfb: Wine creates it, GDI paints it, and the screen
// shows it. Leaves window_smoke.png for a person to look at.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/window_capture.h"

namespace quonel::testing {
namespace {

const wchar_t kCaption[] = L"Quonel加速器升级程序";

class SmokeWindow {
 public:
  SmokeWindow() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(RGB(255, 255, 255));
    windowClass.lpszClassName = L"QuonelSmokeWindow";
    RegisterClassExW(&windowClass);
    frame_ = CreateWindowExW(0, windowClass.lpszClassName, kCaption,
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 40, 40,
                             320, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    button_ = CreateWindowExW(0, L"BUTTON", L"下一步", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 100,
                              60, 100, 30, frame_, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(frame_, SW_SHOWNORMAL);
    UpdateWindow(frame_);
  }
  ~SmokeWindow() { DestroyWindow(frame_); }
  HWND frame() const { return frame_; }
  HWND button() const { return button_; }

 private:
  HWND frame_ = nullptr;
  HWND button_ = nullptr;
};

// Samples the button's face and the white background next to it.
bool ButtonIsPainted(const Capture& capture, POINT buttonCentre, POINT background) {
  return capture.Pixel(buttonCentre.x, buttonCentre.y) != capture.Pixel(background.x, background.y);
}

TEST(WindowSmoke, ChineseCaptionReadsBack) {
  SmokeWindow window;
  ASSERT_TRUE(window.frame());
  wchar_t text[64] = {};
  GetWindowTextW(window.frame(), text, 64);
  EXPECT_STREQ(kCaption, text);
}

TEST(WindowSmoke, ButtonIsPaintedOnScreen) {
  SmokeWindow window;
  ASSERT_TRUE(window.button());
  RECT frameBox, buttonBox;
  GetWindowRect(window.frame(), &frameBox);
  GetWindowRect(window.button(), &buttonBox);
  const POINT centre = {(buttonBox.left + buttonBox.right) / 2 - frameBox.left,
                        buttonBox.top + 3 - frameBox.top};
  const POINT background = {buttonBox.left - 20 - frameBox.left, centre.y};

  // The X server maps the window asynchronously: wait for the paint to show,
  // bounded by a deadline rather than a fixed sleep.
  Capture capture;
  const DWORD deadline = GetTickCount() + 10000;
  do {
    PumpMessages();
    capture = CaptureWindow(window.frame());
    if (ButtonIsPainted(capture, centre, background)) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  } while (GetTickCount() < deadline);

  EXPECT_EQ(RGB(255, 255, 255), capture.Pixel(background.x, background.y));
  EXPECT_TRUE(ButtonIsPainted(capture, centre, background));
  SaveCapture(capture, "window_smoke");
}

}  // namespace
}  // namespace quonel::testing
