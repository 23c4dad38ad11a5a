// TSkinListView: a list view's skin - the scroll-bar overlays and border of
// TSkinScrollbar, and in report style a TSkinHeader on the view's column
// header. The rows keep the control's own painting.
#pragma once
#include <memory>

#include "skin/controls/scrolling/skin_header.h"
#include "skin/controls/scrolling/skin_scrollbar.h"

namespace quonel {

class TSkinListView : public TSkinScrollbar {
 public:
  TSkinListView();
  ~TSkinListView() override;
  const wchar_t* ClassName() const override { return L"TSkinListView"; }

  void AttachScrolled(TControl* control, TSkinData* data, TSkinForm* form) override;
  void Detach() override;
  void SkinChanged() override;
  // Null outside report style, or before the view has its window.
  TSkinHeader* HeaderSkin() const { return header_.get(); }

 protected:
  void AfterMessage(TMessage& message) override;

 private:
  // The header skin follows the view's current header window: the view's
  // window may be made after attachment, or made again.
  void FollowHeader();

  std::unique_ptr<TSkinHeader> header_;
};

}  // namespace quonel
