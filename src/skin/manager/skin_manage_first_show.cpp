// Frames attached before a window is first shown: the program's main form,
// made hidden, gets its frame object and the frame's whole set-up when it is
// about to appear, so that its first paint is already in the skin and the
// set-up (a new size, a region) touches no window on the screen. (A second
// form framed this way stopped passing Alt characters on to the main form's
// menu bar under Wine; the others keep the activation route.)
#include "skin/frame/skin_form.h"
#include "skin/manager/skin_manage.h"
#include "ui/application.h"
#include "ui/window_subclass.h"

namespace quonel {
namespace {

// Only the program's main form: other windows keep being framed when activated.
TCustomForm* MainForm() { return Application ? Application->MainForm() : nullptr; }

bool IsMainFormWindow(HWND window) {
  TCustomForm* main = MainForm();
  return main && main->HandleAllocated() && main->Handle() == window;
}

}  // namespace

void TSkinManage::WatchFirstShow(HWND window) {
  // A window made once the main form has its own cannot be the main form's.
  TCustomForm* main = MainForm();
  if (!main || main->HandleAllocated()) return;
  std::erase_if(showWatchers_, [](const std::unique_ptr<TWindowSubclass>& watcher) { return !watcher->Attached(); });
  auto watcher = std::make_unique<TWindowSubclass>();
  watcher->SetHandler([this, window](TWindowSubclass& link, TMessage& message) {
    // lParam 0: a ShowWindow call, not an owner's minimising or restoring.
    if (message.Msg == WM_SHOWWINDOW && message.WParam && message.LParam == 0) {
      link.Detach();
      if (IsMainFormWindow(window) && AttachForm(window, FrameSetUp::Now)) MarkStarted();
    }
    link.CallNext(message);
  });
  if (watcher->Attach(window)) showWatchers_.push_back(std::move(watcher));
}

}  // namespace quonel
