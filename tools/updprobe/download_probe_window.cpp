#include "updprobe/download_probe_window.h"

#include <commctrl.h>

#include <cstdio>

namespace quonel::probe {
namespace {

const wchar_t kWindowClass[] = L"QuonelDownloadProbe";

bool RegisterProbeClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0;
  }();
  return registered;
}

}  // namespace

DownloadProbeWindow::DownloadProbeWindow() {
  socket_.SetClientType(ctBlocking);
  DownSocket = &socket_;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  if (!RegisterProbeClass()) return;
  // The progress page's geometry: the label and the gauge below the file list.
  window_ = CreateWindowExW(0, kWindowClass, L"updprobe", WS_OVERLAPPED | WS_CAPTION, 0, 0, 418, 347,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window_) return;
  label_ = CreateWindowExW(0, L"STATIC", L"下载数据量：", WS_CHILD | WS_VISIBLE, 26, 267, 369, 12,
                           window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  gauge_ = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 24, 286, 369, 17,
                           window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(gauge_, PBM_SETRANGE32, 0, 100);
}

DownloadProbeWindow::~DownloadProbeWindow() {
  if (window_) DestroyWindow(window_);
}

void DownloadProbeWindow::LogLine(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

void DownloadProbeWindow::ShowDownloadAmount(const std::wstring& amountText, int64_t gaugeMaximum,
                                             int64_t gaugeProgress) {
  SetWindowTextW(label_, amountText.c_str());
  // The bar counts in 32 bits: halve both numbers until the maximum fits.
  while (gaugeMaximum > 0x7FFFFFFF) {
    gaugeMaximum >>= 1;
    gaugeProgress >>= 1;
  }
  SendMessageW(gauge_, PBM_SETRANGE32, 0, static_cast<LPARAM>(gaugeMaximum));
  SendMessageW(gauge_, PBM_SETPOS, static_cast<WPARAM>(gaugeProgress), 0);
}

void DownloadProbeWindow::RepaintProgressPage() {
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void DownloadProbeWindow::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace quonel::probe
