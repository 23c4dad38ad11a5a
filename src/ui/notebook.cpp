#include "ui/notebook.h"

#include "core/property_registry.h"

namespace quonel {

TPage::TPage(TComponent* owner) : TWinControl(owner) {
  SetVisibleFlag(false);
  SetParentColor(true);
}

TNotebook::TNotebook(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 150); }

// The shown page covers the notebook: the notebook's own window has nothing
// to paint beneath it, and a page switch does not flash its background.
void TNotebook::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.style |= WS_CLIPCHILDREN;
}

int TNotebook::PageCount() const {
  int count = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (dynamic_cast<TPage*>(Controls(i))) ++count;
  return count;
}

TPage* TNotebook::Page(int index) const {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* page = dynamic_cast<TPage*>(Controls(i)); page && index-- == 0) return page;
  return nullptr;
}

TPage* TNotebook::AddPage(const std::wstring& caption) {
  auto* page = new TPage(this);
  page->SetCaption(caption);
  InsertPage(*page);
  return page;
}

void TNotebook::InsertPage(TPage& page) {
  page.SetBounds(0, 0, ClientWidth(), ClientHeight());
  page.SetParent(this);
  // The first page shows until another is chosen.
  if (pageIndex_ < 0 && !HasState(ComponentStateFlag::Loading)) SetPageIndex(0);
}

void TNotebook::ShowOnly(int index) {
  for (int i = 0; i < PageCount(); ++i) Page(i)->SetVisible(i == index);
}

void TNotebook::SetPageIndex(int index) {
  if (HasState(ComponentStateFlag::Loading)) {
    storedPageIndex_ = index;
    return;
  }
  if (index < 0 || index >= PageCount() || index == pageIndex_) return;
  pageIndex_ = index;
  ShowOnly(index);
  if (OnPageChanged) OnPageChanged(this);
}

std::wstring TNotebook::ActivePage() const {
  TPage* page = Page(pageIndex_);
  return page ? page->Caption() : std::wstring();
}

void TNotebook::SetActivePage(const std::wstring& caption) {
  for (int i = 0; i < PageCount(); ++i)
    if (Page(i)->Caption() == caption) SetPageIndex(i);
}

void TNotebook::Loaded() {
  TWinControl::Loaded();
  const int stored = storedPageIndex_ >= 0 && storedPageIndex_ < PageCount() ? storedPageIndex_ : 0;
  pageIndex_ = -1;
  if (PageCount() > 0) {
    pageIndex_ = stored;
    ShowOnly(stored);
  }
}

void RegisterNotebookClasses() {
  ClassRegistrar<TPage>(L"TPage", L"TWinControl").Creatable().OwnedByContainer();
  ClassRegistrar<TNotebook>(L"TNotebook", L"TWinControl")
      .Creatable()
      .Integer(L"PageIndex", [](TNotebook& n) { return n.PageIndex(); },
               [](TNotebook& n, int64_t v) { n.SetPageIndex(static_cast<int>(v)); })
      .Container([](TNotebook& n, TComponent& child) {
        auto* page = dynamic_cast<TPage*>(&child);
        if (!page) throw Exception(L"A notebook holds only pages");
        n.InsertPage(*page);
      });
}

}  // namespace quonel
