#include "ui/page_control.h"

#include <commctrl.h>

#include <algorithm>

#include "core/property_registry.h"
#include "ui/messages.h"

namespace quonel {

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { SetVisibleFlag(false); }

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* pages) {
  if (pages == pages_) return;
  if (pages_) pages_->RemovePage(*this);
  pages_ = pages;
  if (pages_) pages_->AddPage(*this);
}

TPageControl::TPageControl(TComponent* owner) : TTabControl(owner) {}

TPageControl::~TPageControl() {
  // Sheets owned elsewhere outlive the control: they forget it.
  for (TTabSheet* page : pages_) page->pages_ = nullptr;
}

TTabSheet* TPageControl::ActivePage() const {
  return active_ >= 0 && active_ < PageCount() ? pages_[static_cast<size_t>(active_)] : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page) {
  const auto at = std::find(pages_.begin(), pages_.end(), page);
  if (at == pages_.end()) return;
  active_ = static_cast<int>(at - pages_.begin());
  SetTabIndex(active_);
  ShowActivePage();
}

void TPageControl::AddPage(TTabSheet& page) {
  pages_.push_back(&page);
  page.SetParent(this);
  UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet& page) {
  const auto at = std::find(pages_.begin(), pages_.end(), &page);
  if (at == pages_.end()) return;
  // The sheet shown stays shown when one before it goes.
  if (at - pages_.begin() < active_) --active_;
  pages_.erase(at);
  active_ = std::min(active_, PageCount() - 1);
  if (page.Parent() == this) page.SetParent(nullptr);
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), TCM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < pages_.size(); ++i) {
    const std::wstring caption = pages_[i]->Caption();
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    SendMessageW(Handle(), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  if (active_ < 0 && !pages_.empty()) active_ = 0;
  SetTabIndex(active_);
  ShowActivePage();
}

void TPageControl::HandleCreated() {
  TTabControl::HandleCreated();
  UpdateTabs();
}

void TPageControl::ShowActivePage() {
  if (!HandleAllocated()) return;
  RECT area = ClientRect();
  SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  const TTabSheet* active = ActivePage();
  for (TTabSheet* page : pages_) {
    page->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
    page->SetVisible(page == active);
  }
}

void TPageControl::WndProc(TMessage& message) {
  TTabControl::WndProc(message);
  if (message.Msg == WM_SIZE) ShowActivePage();
  if (message.Msg == CN_BASE + WM_NOTIFY && reinterpret_cast<NMHDR*>(message.LParam)->code == TCN_SELCHANGE) {
    active_ = TabIndex();
    ShowActivePage();
    if (OnChange) OnChange(this);
  }
}

void RegisterPageControlClasses() {
  ClassRegistrar<TPageControl>(L"TPageControl", L"TTabControl").Creatable();
  ClassRegistrar<TTabSheet>(L"TTabSheet", L"TWinControl").Creatable();
}

}  // namespace quonel
