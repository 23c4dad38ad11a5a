// Start-up of Update.exe against the empty-window reference: the time from
// process start until its window with the wizard's caption is shown and
// painted (visible, nothing left to paint in it or its child windows) - for the
// wizard, painted in its skin: the platform's caption is gone, and the frame
// object answers SKM_ISSKINNED when asked afterwards - and, apart, until its
// banner control is active (it is activated after the first paint). Both run in
// the same Wine, in pairs started back to back (the order alternating, a
// pause after each exit so that one program's teardown does not slow the
// next one's start); the figure is the median of the pairs' ratios, which
// is steadier than the ratio of the medians when the machine's speed drifts.
//   wizard_startup_bench.exe [ROUNDS [REFERENCE_EXE [UPDATE_EXE]]]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "skin/skin_messages.h"
#include "support/test_paths.h"
#include "support/wizard_session.h"

namespace {

using namespace quonel::testing;

const DWORD kSettleMs = 150;

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HWND ShownWindow(DWORD processId) {
  for (HWND window : TopLevelWindows(processId))
    if (WindowText(window) == kWizardCaption) return window;
  return nullptr;
}

// The window of the stand-in banner control, once it is active in the strip.
constexpr wchar_t kBannerClass[] = L"QuonelBannerStandIn";

struct StartUp {
  double shown = -1;    // the window is visible
  double painted = -1;  // ... and painted (in its skin when one is expected)
  double banner = -1;   // the banner control is active in its strip (the wizard only)
};

bool Skinned(HWND window) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(window, quonel::SKM_ISSKINNED, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) && answer == 1;
}

// The skin's frame hides the platform's caption of the window it takes over.
// Read without a message: just after its first paint the wizard is busy
// activating its banner, and asking it would time that instead.
bool FrameInTheSkin(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION; }

// Neither the window nor a visible window inside it has anything left to
// paint (asked of the window system, not of the busy program).
bool NothingLeftToPaint(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool painted = true;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM all) {
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) *reinterpret_cast<bool*>(all) = false;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&painted));
  return painted;
}

// Milliseconds from process start to the window; -1 on failure.
StartUp TimeToFirstPaint(const std::filesystem::path& exe, bool skin) {
  StartUp result;
  const double start = Now();
  ChildProcess process(exe.wstring(), L"", exe.parent_path().wstring());
  if (!process.Started()) return result;
  const double deadline = start + 60000;
  HWND window = nullptr;
  while (Now() < deadline && process.Running()) {
    if (!window && (window = ShownWindow(process.Id()))) result.shown = Now() - start;
    if (window && result.painted < 0 && IsWindowVisible(window) && (!skin || FrameInTheSkin(window)) &&
        NothingLeftToPaint(window))
      result.painted = Now() - start;
    if (result.painted >= 0 && skin && result.banner < 0 && FindWindowExW(window, nullptr, kBannerClass, nullptr))
      result.banner = Now() - start;
    if (result.painted >= 0 && (!skin || result.banner >= 0)) break;
    Sleep(1);
  }
  // The caption said the skin; its frame object must say so too.
  if (skin && window && !Skinned(window)) result.painted = -1;
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  DWORD code;
  process.WaitForExit(30000, code);
  Sleep(kSettleMs);
  return result;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 21;
  ClientInstallation client{argc > 3 ? std::wstring(argv[3]) : std::filesystem::path(HostPath(QUONEL_UPDATE_EXE)).wstring()};
  client.WriteConfig(L"quonel", L"", {{L"本地服务器", L"http://127.0.0.1:9/"}});
  const std::filesystem::path reference = argc > 2 ? std::filesystem::path(argv[2])
                                                  : std::filesystem::path(HostPath(QUONEL_EMPTY_WINDOW_EXE));
  // One start of each first, so that both find Wine's files in the cache.
  TimeToFirstPaint(client.Exe(), true);
  TimeToFirstPaint(reference, false);
  std::vector<double> wizardShown, wizard, banner, emptyShown, empty, ratios;
  for (int i = 0; i < rounds; ++i) {
    StartUp w, e;
    if (i % 2 == 0) {
      w = TimeToFirstPaint(client.Exe(), true);
      e = TimeToFirstPaint(reference, false);
    } else {
      e = TimeToFirstPaint(reference, false);
      w = TimeToFirstPaint(client.Exe(), true);
    }
    if (w.painted < 0 || w.banner < 0 || e.painted < 0) {
      std::fprintf(stderr, "bench: a window did not appear%s\n",
                   w.shown < 0 ? "" : w.painted < 0 ? " in its skin" : " with its banner");
      return 1;
    }
    banner.push_back(w.banner);
    wizardShown.push_back(w.shown);
    wizard.push_back(w.painted);
    emptyShown.push_back(e.shown);
    empty.push_back(e.painted);
    ratios.push_back(w.painted / e.painted);
  }
  std::sort(ratios.begin(), ratios.end());
  std::printf("start-up, median of %d runs:     shown     painted (the wizard in its skin)\n", rounds);
  std::printf("  Update.exe                  %8.1f ms %8.1f ms\n", Median(wizardShown), Median(wizard));
  std::printf("  empty window                %8.1f ms %8.1f ms\n", Median(emptyShown), Median(empty));
  std::printf("  Update.exe's banner active after %.1f ms\n", Median(banner));
  std::printf("  ratio to the first painted window, median of the pairs: %.2f  (target <= 1.4;"
              " pairs range %.2f to %.2f)\n", Median(ratios), ratios.front(), ratios.back());
  return 0;
}
