// The manager's deferred commands: recorded by PostCommand, run once from the
// message loop by the one-shot timer, then reported to the requesting
// component through its OnSkinChanged.
#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/frame/skin_form.h"
#include "skin/manager/skin_manage.h"
#include "ui/form.h"

namespace quonel {

namespace {

bool IsShownTopLevel(TCustomForm& form) {
  if (!form.HandleAllocated()) return false;
  HWND window = form.Handle();
  return IsWindowVisible(window) && !(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD);
}

}  // namespace

void TSkinManage::PostCommand(int command, int delayMs) {
  if (started_ == kDestroying) return;
  pendingCommand_ = command;
  interval_ = static_cast<UINT>(std::max(delayMs, 1));
  if (started_ != 0) {
    // A command posted while another waits replaces it: only the last runs.
    timer_.Start(interval_, CommandTimerProc);
    return;
  }
  // Before the first window is activated there is nothing to walk: the switch alone.
  if (command == kCommandSkinAll) active_ = true;
  if (command == kCommandRemoveAll) active_ = false;
}

void CALLBACK TSkinManage::CommandTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  TSkinManage* manager = Instance();
  if (!manager) return;
  manager->timer_.Stop();
  manager->RunCommand();
}

void TSkinManage::ReskinWindow(HWND window, TSkinData* requesting) {
  reskinWindow_ = window;
  requesting_ = requesting;
  PostCommand(kCommandReskinWindow, kInitialIntervalMs);
}

void TSkinManage::RunCommand() {
  TSkinData* requesting = requesting_;
  if (!requesting || started_ == kDestroying) return;
  const int command = pendingCommand_;
  if (command == kCommandReskinWindow) {
    requesting_ = nullptr;
    ReskinPendingWindow();
    return;
  }
  if (requesting->SkinFormtype() == TSkinFormType::sfOnlyThisForm)
    RunCommandForOwnerForm(command, *requesting);
  else
    RunCommandForAll(command, *requesting);
  // The component may have gone while windows answered; then nobody is told.
  if (std::find(components_.begin(), components_.end(), requesting) == components_.end()) return;
  if (requesting_ == requesting) requesting_ = nullptr;
  requesting->SkinChanged();
}

void TSkinManage::RunCommandForOwnerForm(int command, TSkinData& requesting) {
  auto firstFrameOf = [&]() -> TSkinForm* {
    for (auto& form : forms_)
      if (form->SkinData() == &requesting && form->GetState() != TSkinForm::kClosed) return form.get();
    return nullptr;
  };
  switch (command) {
    case kCommandSkinAll:
      active_ = forcing_ = true;
      for (int i = Screen().FormCount() - 1; i >= 0; --i) {
        TCustomForm* form = Screen().Forms(i);
        if (form != requesting.Owner()) continue;
        if (IsShownTopLevel(*form)) AttachForm(form->Handle());
        break;
      }
      forcing_ = false;
      break;
    case kCommandRemoveAll:
      active_ = false;
      Purge();
      if (TSkinForm* frame = firstFrameOf()) frame->DetachWindow();
      Purge();
      break;
    case kCommandRefresh:
      Purge();
      if (TSkinForm* frame = firstFrameOf()) frame->RefreshSkin();
      break;
    case kCommandPurge:
      Purge();
      break;
  }
}

void TSkinManage::RunCommandForAll(int command, TSkinData& requesting) {
  switch (command) {
    case kCommandSkinAll:
      active_ = forcing_ = true;
      Purge();
      // A form may go while another is attached: the count is read every time.
      for (int i = Screen().FormCount() - 1; i >= 0; --i) {
        if (i >= Screen().FormCount()) continue;
        TCustomForm* form = Screen().Forms(i);
        if (IsShownTopLevel(*form)) AttachForm(form->Handle());
      }
      forcing_ = false;
      break;
    case kCommandRemoveAll:
      active_ = false;
      Purge();
      ++walking_;
      for (size_t i = 0; i < forms_.size(); ++i) forms_[i]->DetachWindow();
      --walking_;
      Purge();
      break;
    case kCommandRefresh:
      Purge();
      ++walking_;
      for (size_t i = 0; i < forms_.size(); ++i)
        if (forms_[i]->SkinData() == &requesting) forms_[i]->RefreshSkin();
      --walking_;
      Purge();
      break;
    case kCommandPurge:
      Purge();
      break;
  }
}

void TSkinManage::ReskinPendingWindow() {
  HWND window = reskinWindow_;
  reskinWindow_ = nullptr;
  if (TSkinForm* frame = FindForm(window)) frame->DetachWindow();
  Purge();
  if (window) AttachForm(window);
}

}  // namespace quonel
