// What falling back from a refused first server costs: runs over a one-file
// manifest, pressing "下一步" until "完成升级", with config.ini listing only
// the answering server and with a refused server before it, alternately;
// prints the median of the rounds' differences.
//   wizard_fallback_bench.exe [ROUNDS]
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "support/loopback_file_site.h"
#include "support/loopback_server.h"
#include "bench/wizard_bench_support.h"
#include "support/test_paths.h"
#include "support/wizard_session.h"

namespace {

using namespace quonel::testing;

// Milliseconds from the press to "完成升级"; negative on failure.
double TimedRun(const std::vector<UpdateServer>& servers) {
  ClientInstallation client{std::filesystem::path(HostPath(QUONEL_UPDATE_EXE)).wstring()};
  const SYSTEMTIME installed = LocalTime(2026, 1, 1, 8, 0, 0);
  client.WriteFile("a.dat", "installed", installed);
  client.WriteConfig(L"quonel", L"", servers);
  WizardSession wizard(client.Exe());
  if (!wizard.WaitForWindow()) return -1;
  HWND next = wizard.NextButton();
  const double start = BenchNowMs();
  PostClick(next);
  while (PatientText(next) != L"完成升级") {
    if (BenchNowMs() > start + 60000) return -1;
    Sleep(1);
  }
  const double elapsed = BenchNowMs() - start;
  wizard.Close();
  DWORD code;
  wizard.WaitForExit(code, 30000);
  return elapsed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  LoopbackFileSite site;
  site.Put("quonel.htm", ManifestText({{L"a.dat", L"甲", ManifestDateTime(LocalTime(2026, 1, 1, 8, 0, 0))}}));
  const UpdateServer good{L"good", std::filesystem::path(site.Url()).wstring()};
  std::vector<double> costs;
  for (int round = 0; round < rounds; ++round) {
    const UpdateServer refused{L"refused", L"http://127.0.0.1:" + std::to_wstring(RefusingLoopbackPort()) + L"/"};
    double direct, fallback;
    if (round % 2 == 0) {
      direct = TimedRun({good});
      fallback = TimedRun({refused, good});
    } else {
      fallback = TimedRun({refused, good});
      direct = TimedRun({good});
    }
    if (direct < 0 || fallback < 0) {
      std::fprintf(stderr, "bench: a run did not end with 完成升级\n");
      return 1;
    }
    costs.push_back(fallback - direct);
    std::printf("round %d: %.0f ms alone, %.0f ms after a refused server\n", round + 1, direct, fallback);
  }
  std::sort(costs.begin(), costs.end());
  std::printf("falling back from a refused first server costs %.0f ms (median of %d rounds; target <= 1000 ms)\n",
              costs[costs.size() / 2], rounds);
  return 0;
}
