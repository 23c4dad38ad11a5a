// Frames attached before a window is first shown: a top-level window of this
// program, made hidden, gets its frame object and the frame's whole set-up
// when it is about to appear, so that its first paint is already in the skin
// and the set-up (a new size, a region) touches no window on the screen.
#include "skin/frame/skin_form.h"
#include "skin/manager/skin_manage.h"
#include "ui/window_subclass.h"

namespace quonel {

void TSkinManage::WatchFirstShow(HWND window) {
  std::erase_if(showWatchers_, [](const std::unique_ptr<TWindowSubclass>& watcher) { return !watcher->Attached(); });
  auto watcher = std::make_unique<TWindowSubclass>();
  watcher->SetHandler([this, window](TWindowSubclass& link, TMessage& message) {
    // lParam 0: a ShowWindow call, not an owner's minimising or restoring.
    if (message.Msg == WM_SHOWWINDOW && message.WParam && message.LParam == 0) {
      link.Detach();
      if (AttachForm(window, FrameSetUp::Now)) MarkStarted();
    }
    link.CallNext(message);
  });
  if (watcher->Attach(window)) showWatchers_.push_back(std::move(watcher));
}

}  // namespace quonel
