// Popup-menu windows: a skin for each while it is open, chosen by the kind of
// menu the frame said comes next (context menu, menu-bar drop-down, system menu).
#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/frame/skin_popup_menu.h"
#include "skin/manager/skin_manage.h"
#include "skin/manager/window_class.h"
#include "skin/skin_messages.h"

namespace quonel {

namespace {

bool SourceAllowed(int menuSource, TSkinControlTypes controls) {
  switch (menuSource) {
    case 0: return InSet(controls, xcPopupMenu);
    case 1: return InSet(controls, xcMainMenu) || InSet(controls, xcMenuItem);
    case 2: return InSet(controls, xcSystemMenu);
    default: return false;
  }
}

}  // namespace

void TSkinManage::AttachPopup(HWND window) {
  if (!active_ || started_ == kDestroying) return;
  if (IsSkinnedPopup(window) || SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1) return;
  TSkinData* data = ChooseComponent(window, WindowClassName(window));
  if (!data || data->Empty() || !SourceAllowed(menuSource_, data->SkinControls())) return;
  auto popup = std::make_unique<TSkinPopupMenu>(window, data, menuFlag_);
  popup->ManagerActive = [this] { return active_; };
  if (popup->Attached()) popups_.push_back(std::move(popup));
}

void TSkinManage::DetachPopup(HWND window) {
  for (auto& popup : popups_)
    if (popup->Window() == window) popup->Detach();
  PurgePopups();
}

void TSkinManage::PurgePopups() {
  if (walking_ > 0) return;
  const bool hadPopups = !popups_.empty();
  std::erase_if(popups_, [](const std::unique_ptr<TSkinPopupMenu>& popup) { return !popup->Attached(); });
  if (hadPopups && popups_.empty()) {
    menuFlag_ = false;
    menuSource_ = 0;
  }
}

bool TSkinManage::IsSkinnedPopup(HWND window) const {
  return std::any_of(popups_.begin(), popups_.end(), [window](const std::unique_ptr<TSkinPopupMenu>& popup) {
    return popup->Attached() && popup->Window() == window;
  });
}

TSkinPopupMenu* TSkinManage::FindPopup(HMENU menu) const { return TSkinPopupMenu::Showing(menu); }

const SkinBitmap* TSkinManage::PopupBackground(HMENU menu) const {
  TSkinPopupMenu* popup = FindPopup(menu);
  return popup ? &popup->CurrentBackground() : nullptr;
}

void TSkinManage::BindPopupMenu(HMENU menu) {
  for (auto popup = popups_.rbegin(); popup != popups_.rend(); ++popup)
    if ((*popup)->Attached() && !(*popup)->BoundMenu()) {
      (*popup)->BindMenu(menu);
      return;
    }
}

}  // namespace quonel
