// Prints what scrolling the wizard's file list page by page costs with the
// skin against the same list without it: a list view set up as the wizard's
// (its bounds, grid lines, flat scroll bars, columns), holding the 2,000 rows
// of the wizard's bench run, paged from top to bottom and painted after each
// page. Rounds alternate skinned and unskinned passes; the figure is the
// median ratio of the rounds.
// Usage: skin_list_view_bench SKIN [ROUNDS] [ROWS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <vector>

#include "skin/controls/scrolling/skin_list_view.h"
#include "skin/data/skin_data.h"
#include "skin/skin_bench_support.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/list_view.h"

using namespace quonel;
using bench::Now;
using bench::Pump;

namespace {



// From the top to the last page, as the user's page-down clicks would: the
// request, the end of the scroll, and the paint of what came into view.
double PageThroughSeconds(HWND list, int* pages) {
  SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  UpdateWindow(list);
  Pump();
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  const int perPage = std::max(1, static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0)));
  *pages = 0;
  const double start = Now();
  while (SendMessageW(list, LVM_GETTOPINDEX, 0, 0) + perPage < rows) {
    SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    SendMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
    UpdateWindow(list);
    ++*pages;
  }
  GdiFlush();
  return Now() - start;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: skin_list_view_bench SKIN [ROUNDS] [ROWS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
  const int rowCount = argc > 3 ? std::max(1, std::atoi(argv[3])) : 2000;
  TSkinData data(nullptr);
  if (!bench::LoadSkinFile(argv[1], data)) return 1;

  TApplication application;
  application.Initialize();
  TForm* form = bench::WizardSizedForm(application);
  auto* view = new TListView(form);
  view->SetBounds(16, 26, 369, 139);
  view->SetColor(clInfoBk);
  view->SetCtl3D(false);
  view->SetGridLines(true);
  view->SetFlatScrollBars(true);
  struct Column {
    const wchar_t* caption;
    int width;
    bool autoSize;
  };
  for (const Column& c : {Column{L"文件名", 50, true}, Column{L"修改日期", 130, false}, Column{L"本地状态", 68, false}}) {
    auto* column = new TListColumn(view);
    column->caption = c.caption;
    column->width = c.width;
    column->autoSize = c.autoSize;
    view->AddColumn(column);
  }
  view->SetParent(form);
  form->Show();
  view->BeginUpdate();
  for (int i = 0; i < rowCount; ++i) {
    wchar_t name[48];
    std::swprintf(name, 48, L"文件files\\section-%05d.dat", i);
    const int row = view->AddItem(name);
    view->SetSubItem(row, 0, L"2026-01-01 08:00:00");
    view->SetSubItem(row, 1, L"不需要更新");
  }
  view->EndUpdate();
  Pump();
  const HWND list = view->Handle();

  std::vector<double> ratios;
  double skinnedTotal = 0;
  int pages = 0;
  for (int round = 0; round < rounds; ++round) {
    // Alternating order: a drift in the machine's speed hits both sides.
    double skinned = 0, plain = 0;
    for (bool skinnedPass : {round % 2 == 0, round % 2 != 0}) {
      std::unique_ptr<TSkinListView> skin;
      if (skinnedPass) {
        skin = std::make_unique<TSkinListView>();
        skin->Attach(view, &data, nullptr, false);
      }
      Pump();
      (skinnedPass ? skinned : plain) = PageThroughSeconds(list, &pages);
      skin.reset();
      Pump();
    }
    skinnedTotal += skinned;
    ratios.push_back(skinned / plain);
  }
  std::printf("page-by-page scroll of %d rows (%d pages): skinned %.2fx the time of unskinned "
              "(median of %d rounds; target <= 1.5); %.2f ms per skinned page\n",
              rowCount, pages, bench::Median(ratios), rounds, skinnedTotal / rounds / std::max(1, pages) * 1e3);
  delete form;
  return 0;
}
