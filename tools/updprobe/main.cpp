// updprobe: command-line probes of the wizard's network side.
//   updprobe download URL FILE
#include <cstdio>
#include <cwchar>

#include "updprobe/download_command.h"

namespace {

struct Command {
  const wchar_t* name;
  int (*run)(int argc, wchar_t** argv);
};

const Command kCommands[] = {
    {L"download", quonel::probe::RunDownloadCommand},
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 2) {
    for (const Command& command : kCommands) {
      if (std::wcscmp(argv[1], command.name) == 0) return command.run(argc - 2, argv + 2);
    }
  }
  std::fputs("usage: updprobe download URL FILE\n", stderr);
  return 2;
}
