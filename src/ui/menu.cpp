#include "ui/menu.h"

#include "ui/form.h"

namespace quonel {

namespace {

TMenuItem* FindIn(TMenuItem* parent, UINT command) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (item->Command() == command) return item;
    if (TMenuItem* inner = FindIn(item, command)) return inner;
  }
  return nullptr;
}

}  // namespace

TMenu::TMenu(TComponent* owner, HMENU handle) : TComponent(owner), handle_(handle), items_(new TMenuItem(this)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  items_->menu_ = nullptr;
  // The items own their sub-menus; ours must not destroy them with itself.
  if (handle_) EmptyPlatformMenu(handle_.Get());
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
  if (ownerDraw_ == ownerDraw) return;
  ownerDraw_ = ownerDraw;
  Rebuild();
}

void TMenu::Rebuild() {
  if (rebuilding_ || !handle_ || HasState(ComponentStateFlag::Destroying)) return;
  rebuilding_ = true;
  for (int i = 0; i < items_->Count(); ++i) items_->Items(i)->RebuildSubMenu(ownerDraw_);
  FillPlatformMenu(handle_.Get(), *items_, ownerDraw_);
  rebuilding_ = false;
  MenuChanged();
}

TMenuItem* TMenu::FindItem(UINT command) const { return FindIn(items_, command); }

void TMainMenu::MenuChanged() {
  if (!window_ || !IsWindow(window_)) return;
  if (GetMenu(window_) == Handle()) DrawMenuBar(window_);
  // Whoever shows the bar in the platform's stead draws it with the frame.
  else RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  HWND owner = nullptr;
  if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form && form->HandleAllocated()) owner = form->Handle();
  if (!owner) owner = GetActiveWindow();
  if (!owner) return;
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
  // The item may have gone while the menu was open: look it up again.
  if (TMenuItem* item = FindItem(command)) item->Click();
}

}  // namespace quonel
