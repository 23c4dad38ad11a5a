// A run over a manifest of FILES (2,000) files, all up to date: the time
// from pressing "下一步" until the caption reads "完成升级", per file.
//   wizard_run_bench.exe [FILES]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>

#include "support/loopback_file_site.h"
#include "support/test_paths.h"
#include "support/wizard_session.h"

namespace {

using namespace quonel::testing;

double Now() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The caption, waiting as long as the wizard's thread is busy with the run.
std::wstring PatientText(HWND window) {
  wchar_t text[256] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 120000, nullptr);
  return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int files = argc > 1 ? std::max(1, _wtoi(argv[1])) : 2000;
  ClientInstallation client{std::filesystem::path(HostPath(QUONEL_UPDATE_EXE)).wstring()};
  const SYSTEMTIME installed = LocalTime(2026, 1, 1, 8, 0, 0);
  std::vector<ManifestFile> manifest;
  for (int i = 0; i < files; ++i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"files\\section-%05d.dat", i);
    client.WriteFile(name, "installed", installed);
    manifest.push_back({name, std::wstring(L"文件") + name, ManifestDateTime(installed)});
  }
  LoopbackFileSite site;
  site.Put("quonel.htm", ManifestText(manifest));
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", std::filesystem::path(site.Url()).wstring()}});

  WizardSession wizard(client.Exe());
  if (!wizard.WaitForWindow()) {
    std::fprintf(stderr, "bench: the wizard window did not appear\n");
    return 1;
  }
  HWND next = wizard.NextButton();
  const double start = Now();
  PostClick(next);
  const double deadline = start + 600000;
  while (PatientText(next) != L"完成升级") {
    if (Now() > deadline) {
      std::fprintf(stderr, "bench: the run did not end\n");
      return 1;
    }
    Sleep(1);
  }
  const double elapsed = Now() - start;
  const size_t rows = wizard.Rows().size();
  if (rows != static_cast<size_t>(files)) {
    std::fprintf(stderr, "bench: %zu rows listed instead of %d\n", rows, files);
    return 1;
  }
  std::printf("run over %d up-to-date files: %.0f ms in all, %.3f ms per file\n", files, elapsed, elapsed / files);
  wizard.Close();
  DWORD code;
  wizard.WaitForExit(code, 30000);
  return 0;
}
