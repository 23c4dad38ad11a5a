#include "ui/bars.h"

#include <commctrl.h>

#include "core/property_registry.h"

namespace quonel {

namespace {

void LoadBarClasses() {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
}

}  // namespace

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
  LoadBarClasses();
  SetBounds(0, 0, 150, 16);
}

void TProgressBar::SetPosition(int position) {
  position_ = position;
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETPOS, position, 0);
}

void TProgressBar::SetMax(int max) {
  max_ = max;
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETRANGE32, 0, max);
}

void TProgressBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = PROGRESS_CLASSW;
}

void TProgressBar::HandleCreated() {
  SendMessageW(Handle(), PBM_SETRANGE32, 0, max_);
  SendMessageW(Handle(), PBM_SETPOS, position_, 0);
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  LoadBarClasses();
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::SetPosition(int position) {
  position_ = position;
  if (HandleAllocated()) SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
}

void TTrackBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = TRACKBAR_CLASSW;
  params.style |= TBS_AUTOTICKS;
}

void TTrackBar::HandleCreated() {
  SendMessageW(Handle(), TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
  SendMessageW(Handle(), TBM_SETPOS, TRUE, position_);
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  LoadBarClasses();
  SetBounds(0, 0, 200, 19);
}

void TStatusBar::SetPanels(std::vector<TStatusPanel> panels) {
  panels_ = std::move(panels);
  if (HandleAllocated()) SendPanels();
}

void TStatusBar::SetSizeGrip(bool value) {
  if (sizeGrip_ == value) return;
  sizeGrip_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TStatusBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = STATUSCLASSNAMEW;
  // The library places the bar; the platform's own placement would move it to the parent's bottom.
  params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
  if (sizeGrip_) params.style |= SBARS_SIZEGRIP;
}

void TStatusBar::HandleCreated() { SendPanels(); }

void TStatusBar::SendPanels() {
  std::vector<int> edges;
  int right = 0;
  for (const TStatusPanel& panel : panels_) {
    right += panel.width;
    edges.push_back(panel.width < 0 ? -1 : right);
  }
  SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (size_t i = 0; i < panels_.size(); ++i)
    SendMessageW(Handle(), SB_SETTEXTW, i, reinterpret_cast<LPARAM>(panels_[i].text.c_str()));
}

void RegisterBarClasses() {
  ClassRegistrar<TProgressBar>(L"TProgressBar", L"TWinControl").Creatable();
  ClassRegistrar<TTrackBar>(L"TTrackBar", L"TWinControl").Creatable();
  ClassRegistrar<TStatusBar>(L"TStatusBar", L"TWinControl").Creatable();
}

}  // namespace quonel
