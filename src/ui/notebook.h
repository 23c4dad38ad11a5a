// TNotebook: pages without tabs, one visible at a time. Asking for a page
// that does not exist changes nothing and raises no event.
#pragma once
#include <string>

#include "ui/win_control.h"

namespace quonel {

class TPage : public TWinControl {
 public:
  explicit TPage(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TPage"; }
};

class TNotebook : public TWinControl {
 public:
  explicit TNotebook(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TNotebook"; }
  void CreateParams(TCreateParams& params) override;

  int PageCount() const;
  TPage* Page(int index) const;
  TPage* AddPage(const std::wstring& caption);
  int PageIndex() const { return pageIndex_; }
  void SetPageIndex(int index);
  std::wstring ActivePage() const;
  void SetActivePage(const std::wstring& caption);

  TNotifyEvent OnPageChanged;

 protected:
  void Loaded() override;

 private:
  friend void RegisterNotebookClasses();
  void InsertPage(TPage& page);
  void ShowOnly(int index);
  int pageIndex_ = -1;
  int storedPageIndex_ = 0;
};

void RegisterNotebookClasses();

}  // namespace quonel
