// The caption and menu-bar buttons under the mouse: hot and pressed looks,
// the click that performs a button's action or opens a bar menu, the double
// click on the icon, the hover check, the menus opened from the keyboard and
// the skinned system menu.
#include <windowsx.h>

#include "skin/data/skin_data.h"

#include "skin/data/skin_manager_link.h"
#include "skin/frame/skinned_frame.h"
#include "skin/frame/system_menu.h"
#include "skin/skin_messages.h"

namespace quonel {

POINT SkinnedFrame::WindowPoint(LPARAM screenPoint) const {
  RECT frame{};
  GetWindowRect(window_, &frame);
  return {GET_X_LPARAM(screenPoint) - frame.left, GET_Y_LPARAM(screenPoint) - frame.top};
}

TWinSysButton* SkinnedFrame::ButtonAt(POINT p) const {
  for (const auto& button : buttons_) {
    // MDI buttons are the menu bar's.
    if (!button->enabled || button->Skin().Visibility == 100) continue;
    const Rect& r = button->rect;
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return button.get();
  }
  return nullptr;
}

int SkinnedFrame::MenuBarButtonAt(POINT windowPoint) const {
  return menuBar_ ? menuBar_->HitTest(windowPoint) : -1;
}

bool SkinnedFrame::MouseMove(LPARAM screenPoint) {
  if (!active_) return false;
  const POINT p = WindowPoint(screenPoint);
  if (menuBar_) {
    // The bar's hot button follows the mouse, and leaves when it is elsewhere.
    menuBar_->MouseMove(p);
    UpdateHoverTimer();
    if (menuBar_->HotButton() >= 0) {
      if (hot_) hot_->MouseLeave();
      return true;
    }
  }
  if (TWinSysButton* button = ButtonAt(p)) {
    // A pressed button stays pressed while the mouse is over it.
    if (hot_ != button) button->MouseMove();
    return true;
  }
  if (hot_) hot_->MouseLeave();
  return false;
}

bool SkinnedFrame::LeftButtonDown(TMessage& m) {
  if (TWinSysButton* button = MdiButtonAt(WindowPoint(m.LParam))) {
    button->MouseDown();
    m.Result = 0;
    return true;
  }
  if (MenuBarButtonAt(WindowPoint(m.LParam)) >= 0) {
    if (!active_) SetActiveWindow(window_);
    if (hot_) hot_->MouseLeave();
    // Returns when the menus are closed; the menu loop may have freed this frame.
    const TLiveness::Watch alive = liveness_.Observe();
    menuBar_->MouseDown(WindowPoint(m.LParam));
    if (alive.Alive()) UpdateHoverTimer();
    m.Result = 0;
    return true;
  }
  if (TWinSysButton* button = ButtonAt(WindowPoint(m.LParam))) {
    if (!active_) SetActiveWindow(window_);
    button->MouseDown();
    m.Result = 0;
    return true;
  }
  // A maximised window cannot be dragged by its caption.
  if (placement_ == 1 && active_ && m.WParam == HTCAPTION) m.WParam = HTMENU;
  return false;
}

bool SkinnedFrame::LeftButtonUp(LPARAM screenPoint) {
  TWinSysButton* button = ButtonAt(WindowPoint(screenPoint));
  if (!button) button = MdiButtonAt(WindowPoint(screenPoint));
  if (!button || hot_ != button || button->state != TNCObject::kPressed) return false;
  button->MouseUp();
  PerformAction(*button, {GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)});
  return true;
}

bool SkinnedFrame::DoubleClick(TMessage& m) {
  if (TWinSysButton* button = ButtonAt(WindowPoint(m.LParam))) {
    if (button->DrawsIcon()) {
      PostSystemCommand(SC_CLOSE);
    } else {
      // The second press of a quick double click on a caption button.
      button->MouseDown();
    }
    m.Result = 0;
    return true;
  }
  if (m.WParam != HTCAPTION) return false;
  if (placement_ != 0) PostSystemCommand(SC_RESTORE);
  else if (maximiseBox_) PostSystemCommand(SC_MAXIMIZE);
  else return false;
  m.Result = 0;
  return true;
}

void SkinnedFrame::PostSystemCommand(WPARAM command) {
  SetHotObject(nullptr);
  PostMessageW(window_, WM_SYSCOMMAND, command, 0);
}

void SkinnedFrame::PerformAction(const TWinSysButton& button, POINT screenPoint) {
  const int action = button.Skin().Action;
  switch (CaptionActionOf(action)) {
    case CaptionAction::Close: {
      HMENU menu = GetSystemMenu(window_, FALSE);
      if (menu && GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1)) PostSystemCommand(SC_CLOSE);
      break;
    }
    case CaptionAction::MaximiseOrRestore:
      PostSystemCommand(placement_ == 1 ? SC_RESTORE : SC_MAXIMIZE);
      break;
    case CaptionAction::MinimiseOrRestore:
      PostSystemCommand(placement_ == 2 ? SC_RESTORE : SC_MINIMIZE);
      break;
    case CaptionAction::SystemMenu:
      ShowSystemMenu({screenPoint.x + 1, screenPoint.y + 1});
      break;
    case CaptionAction::MdiMinimise:
    case CaptionAction::MdiRestore:
    case CaptionAction::MdiClose: {
      HWND client = FindWindowExW(window_, nullptr, L"MDIClient", nullptr);
      HWND child = client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
      if (!child) break;
      const CaptionAction what = CaptionActionOf(action);
      PostMessageW(child, WM_SYSCOMMAND,
                   what == CaptionAction::MdiMinimise ? SC_MINIMIZE : what == CaptionAction::MdiRestore ? SC_RESTORE
                                                                                                     : SC_CLOSE,
                   0);
      break;
    }
    case CaptionAction::Posted:
      PostMessageW(window_, SKM_BUTTONACTION, static_cast<WPARAM>(action), 0);
      break;
  }
}

void SkinnedFrame::CheckHover() {
  if (trackingMenu_) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const POINT p = WindowPoint(MAKELPARAM(cursor.x, cursor.y));
  if (menuBar_ && menuBar_->HotButton() >= 0 && menuBar_->TrackedButton() < 0 &&
      menuBar_->HitTest(p) != menuBar_->HotButton())
    menuBar_->MouseLeave();
  if (hot_) {
    const Rect& r = hot_->rect;
    if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) hot_->MouseLeave();
  }
  UpdateHoverTimer();
}

bool SkinnedFrame::OpenMenuByKey(wchar_t key) {
  const int index = menuBar_ ? menuBar_->ButtonForKey(key) : -1;
  if (index < 0) return false;
  if (hot_) hot_->MouseLeave();
  const TLiveness::Watch alive = liveness_.Observe();
  menuBar_->OpenBarMenu(index);
  if (alive.Alive()) UpdateHoverTimer();
  return true;
}

void SkinnedFrame::ShowSystemMenu(POINT screenPoint) {
  if (!window_ || !data_ || trackingMenu_) return;
  const DWORD now = GetTickCount();
  if (menuShownOnce_ && now - lastMenuTime_ <= GetDoubleClickTime()) {
    // The second click of a double click on the icon closes the window.
    if (hot_) PostSystemCommand(SC_CLOSE);
    return;
  }
  menuShownOnce_ = true;
  lastMenuTime_ = now;
  if (!systemMenu) systemMenu = std::make_unique<SystemMenuPopup>();
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  const SystemMenuWindow state{placement_, maximiseBox_, minimiseBox_, (style & WS_THICKFRAME) != 0};
  trackingMenu_ = true;
  // The popup about to open is the system menu: the manager skins it as one.
  if (TSkinManagerLink* manager = TSkinManagerLink::Current()) manager->SetMenuSource(2);
  // The menu loop runs the manager's timer commands and whatever the program
  // does meanwhile: this frame may be freed before the menu closes.
  const TLiveness::Watch alive = liveness_.Observe();
  const UINT command =
      systemMenu->Track(window_, screenPoint, *data_, SkinnedSystemMenuEntries(GetSystemMenu(window_, FALSE), state));
  if (!alive.Alive()) return;
  trackingMenu_ = false;
  if (command) PostSystemCommand(command);
  else if (hot_) hot_->MouseLeave();
}

}  // namespace quonel
