#include "skin/controls/scrolling/skin_list_view.h"

#include <commctrl.h>

namespace quonel {

TSkinListView::TSkinListView() = default;

TSkinListView::~TSkinListView() { header_.reset(); }

void TSkinListView::AttachScrolled(TControl* control, TSkinData* data, TSkinForm* form) {
  TSkinScrollbar::AttachScrolled(control, data, form);
  if (GetLifeState() == kAttached) FollowHeader();
}

void TSkinListView::FollowHeader() {
  const HWND window = Window();
  if (!window || !SkinData()) return;
  const bool report = (GetWindowLongPtrW(window, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
  const HWND header = report ? reinterpret_cast<HWND>(SendMessageW(window, LVM_GETHEADER, 0, 0)) : nullptr;
  if (header_ && header_->GetLifeState() == kAttached && header_->Window() == header) return;
  header_.reset();
  if (!header) return;
  header_ = std::make_unique<TSkinHeader>();
  header_->AttachHandle(header, SkinData(), Form());
  if (header_->GetLifeState() != kAttached) header_.reset();
}

void TSkinListView::Detach() {
  header_.reset();
  TSkinScrollbar::Detach();
}

void TSkinListView::SkinChanged() {
  TSkinScrollbar::SkinChanged();
  if (header_) header_->SkinChanged();
}

void TSkinListView::AfterMessage(TMessage& message) {
  TSkinScrollbar::AfterMessage(message);
  switch (message.Msg) {
    case WM_STYLECHANGED:
    case WM_WINDOWPOSCHANGED:
    case WM_PAINT:
      if (GetLifeState() == kAttached) FollowHeader();
      break;
  }
}

}  // namespace quonel
