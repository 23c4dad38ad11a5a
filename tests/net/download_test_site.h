// A download site for the tests: it records what the transfer shows and logs,
// pumps real messages through a hidden window (a posted WM_APP sets the abort
// flag, as the abort button would) and can run on a counting clock.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "net/resumable_download.h"

namespace quonel::testing {

class RecordingSite : public TDownloadSite {
 public:
  RecordingSite();
  ~RecordingSite() override;

  void LogLine(const std::wstring& text) override { log.push_back(text); }

  HWND window = nullptr;
  TClientSocket socket{nullptr};
  std::vector<std::wstring> log;
  std::wstring label;        // the amount text last shown
  std::wstring paintedLabel; // the amount text at the last paint
  int64_t gaugeMaximum = 0;
  int64_t gaugeProgress = 0;
  int amounts = 0;
  int paints = 0;
  int pumps = 0;
  // When set, the clock advances by clockStepMs per reading.
  bool countingClock = false;
  uint64_t clockStepMs = 1;
  uint64_t clockMs = 0;
  uint64_t clockAtLastAmount = 0;

 protected:
  void ShowDownloadAmount(const std::wstring& amountText, int64_t maximum, int64_t progress) override;
  void RepaintProgressPage() override;
  void ProcessMessages() override;
  uint64_t TickCountMs() override;
};

// Files of the tests: a folder of their own under the test output.
std::wstring DownloadTestDir();
std::string ReadBinaryFile(const std::wstring& path);
void WriteBinaryFile(const std::wstring& path, const std::string& bytes);
int64_t FileSize(const std::wstring& path);
std::wstring Wide(const std::string& text);

}  // namespace quonel::testing
