// updprobe get URL [--repeat N] [--time]: fetches URL as the wizard fetches
// its manifest (same client, same stored settings) and prints the body to
// standard output, or the exception's class and message to standard error
// with exit code 1. --repeat fetches N times over the one client (and its
// kept-alive connection); --time reports the fetches' time in milliseconds.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "net/net_http_wizard_settings.h"
#include "probe_command.h"

namespace quonel::probe {
namespace {

int RunGet(const std::vector<std::string>& arguments) {
  std::string url;
  long repeat = 1;
  bool time = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--repeat" && i + 1 < arguments.size()) {
      repeat = std::strtol(arguments[++i].c_str(), nullptr, 10);
    } else if (arguments[i] == "--time") {
      time = true;
    } else if (url.empty()) {
      url = arguments[i];
    } else {
      url.clear();
      break;
    }
  }
  if (url.empty() || repeat < 1) {
    std::fprintf(stderr, "usage: updprobe get URL [--repeat N] [--time]\n");
    return 2;
  }
  _setmode(_fileno(stdout), _O_BINARY);
  TNetHTTP http(nullptr);
  http.SetName(L"HTTPFiles");
  ApplyWizardHTTPSettings(http);
  // Waits pump the thread's messages as the wizard's do, so that the timing
  // is the wizard's.
  http.WaitPump = [] {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    return true;
  };
  LARGE_INTEGER frequency, started, ended;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&started);
  try {
    for (long i = 0; i < repeat; ++i) {
      const std::string body = http.GetText(url);
      std::fwrite(body.data(), 1, body.size(), stdout);
    }
  } catch (...) {
    std::fflush(stdout);
    http.CloseConnection();
    return ReportCurrentException();
  }
  QueryPerformanceCounter(&ended);
  std::fflush(stdout);
  http.CloseConnection();
  if (time)
    std::fprintf(stderr, "elapsed_ms %.3f\n",
                 1000.0 * static_cast<double>(ended.QuadPart - started.QuadPart) / static_cast<double>(frequency.QuadPart));
  return 0;
}

const CommandRegistration kGet("get", "get URL [--repeat N] [--time]", RunGet);

}  // namespace
}  // namespace quonel::probe
