// Prints what a full repaint of a skinned frame costs against the same
// window unskinned: two windows of the wizard's shape (dialog border with a
// minimise box, client 418 x 347), one framed by the built-in blue skin,
// each repainted with RedrawWindow (frame included) in alternating batches;
// the figure is the median of the batches' ratios.
// Usage: frame_repaint_bench SKIN [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "skin/data/skin_data.h"
#include "skin/frame/skin_form.h"
#include "skin/skin_bench_support.h"
#include "skin/skin_messages.h"

using namespace quonel;
using bench::Now;
using bench::Pump;

namespace {



HWND WizardShapedWindow(int x) {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"FrameRepaintBench";
    return RegisterClassW(&wc) != 0;
  }();
  if (!registered) return nullptr;
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, 418, 347};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, L"FrameRepaintBench", L"Quonel加速器升级程序", style, x, 20,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  Pump();
  return window;
}

// Seconds for `calls` full repaints of the window.
double Repaints(HWND window, int calls) {
  const double start = Now();
  for (int i = 0; i < calls; ++i)
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  GdiFlush();
  return Now() - start;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: frame_repaint_bench SKIN [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
  const std::string archive = bench::ReadFileBytes(argv[1]);
  const auto n = static_cast<uint32_t>(archive.size());
  TSkinData data(nullptr);
  data.ReadSkinStreamProperty(std::string{static_cast<char>(n), static_cast<char>(n >> 8),
                                          static_cast<char>(n >> 16), static_cast<char>(n >> 24)} +
                              archive);
  data.Loaded();
  if (data.Empty()) {
    std::fprintf(stderr, "bench: the skin could not be read\n");
    return 1;
  }
  TSkinCaption caption(nullptr);
  HWND plain = WizardShapedWindow(20);
  HWND skinned = WizardShapedWindow(480);
  TSkinForm skin;
  skin.AttachWindow(skinned, &data, nullptr);
  SendMessageW(skinned, SKM_INITFRAME, 0, 1000);
  Pump();
  if (SendMessageW(skinned, SKM_ISSKINNED, 0, 0) != 1) {
    std::fprintf(stderr, "bench: the window was not skinned\n");
    return 1;
  }
  const int calls = 50;
  Repaints(plain, calls);  // warm both up
  Repaints(skinned, calls);
  std::vector<double> ratios, plainTimes, skinnedTimes;
  for (int r = 0; r < rounds; ++r) {
    double p, s;
    if (r % 2 == 0) {
      p = Repaints(plain, calls);
      s = Repaints(skinned, calls);
    } else {
      s = Repaints(skinned, calls);
      p = Repaints(plain, calls);
    }
    plainTimes.push_back(p / calls * 1000);
    skinnedTimes.push_back(s / calls * 1000);
    ratios.push_back(s / p);
  }
  const auto median = bench::Median;
  std::sort(ratios.begin(), ratios.end());
  std::printf("full frame repaint (RedrawWindow), median of %d batches of %d:\n", rounds, calls);
  std::printf("  unskinned window   %7.3f ms\n", median(plainTimes));
  std::printf("  skinned window     %7.3f ms\n", median(skinnedTimes));
  std::printf("  ratio skinned / unskinned: %.2f  (target <= 2; batches range %.2f to %.2f)\n", median(ratios),
              ratios.front(), ratios.back());
  skin.DetachWindow();
  DestroyWindow(skinned);
  DestroyWindow(plain);
  return 0;
}
