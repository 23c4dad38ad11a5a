#include "gallery_screenshot.h"

#include <windows.h>

#include <cstdio>

#include "core/ansi_text.h"
#include "skin/data/skin_data.h"
#include "support/window_capture.h"
#include "ui/application.h"
#include "ui/form.h"

namespace quonel {

namespace {

struct PendingScreenshot {
  TForm* form = nullptr;
  std::wstring path;
  TApplication* application = nullptr;
  int* result = nullptr;
};

PendingScreenshot pending;

// A timer message comes after the paints the set-up queued.
void CALLBACK Capture(HWND window, UINT, UINT_PTR id, DWORD) {
  KillTimer(window, id);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  testing::PumpMessages();
  GdiFlush();
  const testing::Capture picture = testing::CaptureWindow(window);
  const bool saved = testing::SaveCaptureTo(picture, WideToAnsi(pending.path));
  if (!saved) std::fwprintf(stderr, L"skingallery: cannot write %ls\n", pending.path.c_str());
  *pending.result = saved ? 0 : 1;
  pending.application->Terminate();
}

}  // namespace

void SaveScreenshotWhenSkinned(TForm& form, TSkinData& data, const std::wstring& path, TApplication& application,
                               int& result) {
  pending = {&form, path, &application, &result};
  result = 1;
  data.OnAfterSkinForm = [](TComponent*, HWND window, const std::wstring&) {
    if (!pending.form || window != pending.form->Handle()) return;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetTimer(window, 1, USER_TIMER_MINIMUM, Capture);
  };
}

}  // namespace quonel
