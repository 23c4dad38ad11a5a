// What the wizard's benchmarks share: one clock in milliseconds, and a
// caption read that waits as long as the wizard's thread is busy with a run.
#pragma once
#include <windows.h>

#include <chrono>
#include <string>

namespace quonel::testing {

inline double BenchNowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

inline std::wstring PatientText(HWND window) {
  wchar_t text[256] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 120000, nullptr);
  return text;
}

}  // namespace quonel::testing
