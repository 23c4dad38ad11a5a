// TPageControl: a tab control whose tabs are its sheets. Each TTabSheet is
// a container of its own inside the control's display area; the sheet of
// the selected tab shows, the others are hidden.
#pragma once
#include <vector>

#include "ui/tab_control.h"

namespace quonel {

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  const wchar_t* ClassName() const override { return L"TTabSheet"; }
  TPageControl* PageControl() const { return pages_; }
  // Becomes the last page of pages (its caption the tab's text), or leaves
  // its page control with null.
  void SetPageControl(TPageControl* pages);

 private:
  friend class TPageControl;
  TPageControl* pages_ = nullptr;
};

class TPageControl : public TTabControl {
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;
  const wchar_t* ClassName() const override { return L"TPageControl"; }
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
  TTabSheet* ActivePage() const;
  void SetActivePage(TTabSheet* page);
  // After the user picked another tab.
  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  void HandleCreated() override;

 private:
  friend class TTabSheet;
  void AddPage(TTabSheet& page);
  void RemovePage(TTabSheet& page);
  void UpdateTabs();
  // Every sheet fills the display area; only the active one is visible.
  void ShowActivePage();

  std::vector<TTabSheet*> pages_;
  int active_ = -1;  // the sheet shown, kept while the window is made again
};

void RegisterPageControlClasses();

}  // namespace quonel
