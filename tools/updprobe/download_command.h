// "updprobe download URL FILE": one resumable download, its log lines on the
// standard output; exit code 0 when the staged copy is complete.
#pragma once

namespace quonel::probe {

// argv holds the words after "download".
int RunDownloadCommand(int argc, wchar_t** argv);

}  // namespace quonel::probe
