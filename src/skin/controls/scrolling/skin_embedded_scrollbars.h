// TSkinEmbeddedScrollbars: a control of another library that holds scrolled
// windows of its own (a grid inside a panel): each child window that has a
// scroll bar, or is a list box or a multi-line edit, gets a TSkinScrollbarH;
// the control itself keeps its look and answers that it is skinned.
#pragma once
#include <memory>
#include <vector>

#include "skin/controls/skin_control.h"

namespace quonel {

class TSkinScrollbarH;

class TSkinEmbeddedScrollbars : public TSkinControl {
 public:
  TSkinEmbeddedScrollbars();
  ~TSkinEmbeddedScrollbars() override;
  const wchar_t* ClassName() const override { return L"TSkinEmbeddedScrollbars"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;
  void Detach() override;
  void SkinChanged() override;
  int ScrolledChildCount() const { return static_cast<int>(children_.size()); }

 private:
  void SkinScrolledChildren();
  std::vector<std::unique_ptr<TSkinScrollbarH>> children_;
};

}  // namespace quonel
