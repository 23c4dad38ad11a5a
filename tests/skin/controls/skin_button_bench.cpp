// Prints what painting the wizard's three push buttons costs with the skin
// against the same three buttons painted by the platform, on one shown form:
// each round repaints the three buttons (invalidate and update, as a change
// of state does) a number of times skinned and unskinned in alternation; the
// figure is the median ratio of the rounds.
// Usage: skin_button_bench SKIN [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "skin/controls/buttons/skin_button.h"
#include "skin/data/skin_data.h"
#include "skin/skin_bench_support.h"
#include "skin/skin_messages.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/form.h"

using namespace quonel;
using bench::Now;
using bench::Pump;

namespace {



double PaintSeconds(const std::vector<TButton*>& buttons, int repaints) {
  const double start = Now();
  for (int i = 0; i < repaints; ++i)
    for (TButton* button : buttons)
      RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  GdiFlush();
  return Now() - start;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: skin_button_bench SKIN [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
  TSkinData data(nullptr);
  if (!bench::LoadSkinFile(argv[1], data)) return 1;

  TApplication application;
  application.Initialize();
  TForm* form = bench::WizardSizedForm(application);
  struct Place {
    int left;
    const wchar_t* caption;
  };
  std::vector<TButton*> buttons;
  for (const Place& place : {Place{16, L"上一步"}, Place{167, L"下一步"}, Place{314, L"中断下载"}}) {
    auto* button = new TButton(form);
    button->SetBounds(place.left, 317, 87, 23);
    button->SetCaption(place.caption);
    button->SetParent(form);
    buttons.push_back(button);
  }
  buttons[0]->SetEnabled(false);
  form->Show();
  Pump();
  std::vector<std::unique_ptr<TSkinButton>> skins;
  for (TButton* button : buttons) {
    skins.push_back(std::make_unique<TSkinButton>());
    skins.back()->Attach(button, &data, nullptr, false);
  }
  const auto setSkins = [&](bool on) {
    for (TButton* button : buttons) SendMessageW(button->Handle(), SKM_ENABLE, on ? 1 : 0, 0);
    Pump();
  };

  const int repaints = 50;
  std::vector<double> ratios;
  for (int round = 0; round < rounds; ++round) {
    // Alternating order: a drift in the machine's speed hits both sides.
    double skinned = 0, plain = 0;
    for (bool skinnedFirst : {round % 2 == 0, round % 2 != 0}) {
      setSkins(skinnedFirst);
      (skinnedFirst ? skinned : plain) += PaintSeconds(buttons, repaints);
    }
    ratios.push_back(skinned / plain);
  }
  setSkins(true);
  const double perPaint = PaintSeconds(buttons, repaints) / (repaints * 3);
  std::printf("skinned push buttons: %.2fx the time of the platform's (median of %d rounds of %d x 3 repaints); "
              "%.0f us per skinned button paint\n",
              bench::Median(ratios), rounds, repaints, perPaint * 1e6);
  skins.clear();
  delete form;
  return 0;
}
