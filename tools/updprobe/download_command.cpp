// updprobe download URL FILE: one resumable download with a hidden window
// carrying a real label and gauge; its log lines on standard output, exit
// code 0 when the staged copy is complete.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "probe_command.h"

#include "updprobe/download_probe_window.h"

namespace quonel::probe {

namespace {

std::wstring FromAnsi(const std::string& text) {
  std::wstring wide(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.pop_back();
  return wide;
}

int RunDownload(const std::vector<std::string>& arguments) {
  if (arguments.size() != 2) {
    std::fputs("usage: updprobe download URL FILE\n", stderr);
    return 2;
  }
  DownloadProbeWindow window;
  if (!window.Created()) {
    std::fputs("updprobe: the probe window cannot be created\n", stderr);
    return 3;
  }
  return window.DownloadFile(FromAnsi(arguments[0]), FromAnsi(arguments[1])) ? 0 : 1;
}

const CommandRegistration kDownload("download", "download URL FILE", RunDownload);

}  // namespace

}  // namespace quonel::probe
