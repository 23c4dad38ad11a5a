#include "updprobe/download_command.h"

#include <cstdio>

#include "updprobe/download_probe_window.h"

namespace quonel::probe {

int RunDownloadCommand(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: updprobe download URL FILE\n", stderr);
    return 2;
  }
  DownloadProbeWindow window;
  if (!window.Created()) {
    std::fputs("updprobe: the probe window cannot be created\n", stderr);
    return 3;
  }
  return window.DownloadFile(argv[0], argv[1]) ? 0 : 1;
}

}  // namespace quonel::probe
