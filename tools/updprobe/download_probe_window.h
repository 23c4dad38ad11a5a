// A hidden window with a real label and a real progress gauge that runs the
// resumable download, so the probe pays what the wizard pays for showing the
// amount and pumping messages; the log lines go to the standard output.
#pragma once
#include <windows.h>

#include <string>

#include "net/resumable_download.h"

namespace quonel::probe {

class DownloadProbeWindow : public TDownloadSite {
 public:
  DownloadProbeWindow();
  ~DownloadProbeWindow() override;
  DownloadProbeWindow(const DownloadProbeWindow&) = delete;
  DownloadProbeWindow& operator=(const DownloadProbeWindow&) = delete;

  bool Created() const { return window_ != nullptr; }
  void LogLine(const std::wstring& text) override;

 protected:
  void ShowDownloadAmount(const std::wstring& amountText, int64_t gaugeMaximum,
                          int64_t gaugeProgress) override;
  void RepaintProgressPage() override;
  void ProcessMessages() override;

 private:
  TClientSocket socket_{nullptr};
  HWND window_ = nullptr;
  HWND label_ = nullptr;
  HWND gauge_ = nullptr;
};

}  // namespace quonel::probe
