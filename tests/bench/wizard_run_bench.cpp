// Runs over manifests of FILES files each (5,000 and 50,000), all up to
// date: the time from pressing "下一步" until the caption reads "完成升级",
// per file; how that cost grows with the manifest; and the longest time the
// window left a message unanswered during a run.
//   wizard_run_bench.exe [FILES...]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>
#include <cstdio>
#include <cwchar>

#include "support/loopback_file_site.h"
#include "bench/wizard_bench_support.h"
#include "support/test_paths.h"
#include "support/wizard_session.h"

namespace {

using namespace quonel::testing;

// Pings the window from its own thread while a run lasts: the longest wait
// for an answer is the longest time the window went without serving its queue.
class AnswerWatch {
 public:
  explicit AnswerWatch(HWND window) : window_(window), thread_([this] { Watch(); }) {}
  ~AnswerWatch() { Stop(); }
  double Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return longest_;
  }

 private:
  void Watch() {
    while (!stop_) {
      const double sent = BenchNowMs();
      DWORD_PTR ignored;
      SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &ignored);
      longest_ = std::max(longest_, BenchNowMs() - sent);
      Sleep(1);
    }
  }
  HWND window_;
  std::atomic<bool> stop_{false};
  double longest_ = 0;
  std::thread thread_;
};

struct RunFigures {
  double perFile = 0;
  double longestGap = 0;
};

// One wizard over a fresh installation of `files` up-to-date files.
bool MeasureRun(int files, RunFigures& figures) {
  ClientInstallation client{std::filesystem::path(HostPath(QUONEL_UPDATE_EXE)).wstring()};
  const SYSTEMTIME installed = LocalTime(2026, 1, 1, 8, 0, 0);
  std::vector<ManifestFile> manifest;
  for (int i = 0; i < files; ++i) {
    wchar_t name[40];
    std::swprintf(name, 40, L"files\\%03d\\section-%05d.dat", i % 100, i);
    client.WriteFile(name, "installed", installed);
    manifest.push_back({name, std::wstring(L"文件") + name, ManifestDateTime(installed)});
  }
  LoopbackFileSite site;
  site.Put("quonel.htm", ManifestText(manifest));
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", std::filesystem::path(site.Url()).wstring()}});

  WizardSession wizard(client.Exe());
  if (!wizard.WaitForWindow()) {
    std::fprintf(stderr, "bench: the wizard window did not appear\n");
    return false;
  }
  HWND next = wizard.NextButton();
  // The run starts at the click: the watch starts once start-up is over and
  // the window serves its queue.
  DWORD_PTR ignored;
  SendMessageTimeoutW(wizard.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
  AnswerWatch watch(wizard.Window());
  const double start = BenchNowMs();
  PostClick(next);
  const double deadline = start + 1800000;
  while (PatientText(next) != L"完成升级") {
    if (BenchNowMs() > deadline) {
      std::fprintf(stderr, "bench: the run did not end\n");
      return false;
    }
    Sleep(1);
  }
  const double elapsed = BenchNowMs() - start;
  figures.longestGap = watch.Stop();
  figures.perFile = elapsed / files;
  const size_t rows = wizard.Rows().size();
  if (rows != static_cast<size_t>(files)) {
    std::fprintf(stderr, "bench: %zu rows listed instead of %d\n", rows, files);
    return false;
  }
  std::printf("run over %d up-to-date files: %.0f ms in all, %.3f ms per file, longest unanswered %.1f ms\n", files,
              elapsed, figures.perFile, figures.longestGap);
  std::fflush(stdout);
  wizard.Close();
  DWORD code;
  wizard.WaitForExit(code, 30000);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::max(1, _wtoi(argv[i])));
  if (counts.empty()) counts = {5000, 50000};
  std::vector<RunFigures> figures(counts.size());
  for (size_t i = 0; i < counts.size(); ++i)
    if (!MeasureRun(counts[i], figures[i])) return 1;
  double longest = 0;
  for (const RunFigures& run : figures) longest = std::max(longest, run.longestGap);
  if (counts.size() > 1)
    std::printf("per-file cost at %d files / at %d files: %.2fx (target <= 1.2); longest unanswered %.1f ms "
                "(target <= 50)\n", counts.back(), counts.front(), figures.back().perFile / figures.front().perFile,
                longest);
  return 0;
}
