// The bar's drop-downs: opening one under its button, the keyboard filter
// that moves between the bar's menus while one is open, and the owner
// drawing of drop-downs the toolkit did not build.
#include "skin/frame/skin_menu_bar.h"

#include <utility>

#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/frame/skinned_menu_items.h"
#include "ui/menu.h"

namespace quonel {

namespace {

constexpr int kMaxItemText = 255;
constexpr int kMenuFromBar = 1;

}  // namespace

void TSkinMenuBar::OpenBarMenu(int index) {
  while (index >= 0 && index < static_cast<int>(buttons_.size())) {
    const TMenuBtn button = buttons_[static_cast<size_t>(index)];
    if (!button.subMenu) {
      // A leaf runs its command; an item with a sub-menu has none worth sending.
      if (button.command && button.enabled) PostMessageW(window_, WM_COMMAND, MAKEWPARAM(button.command, 0), 0);
      return;
    }
    if (!button.enabled) return;
    tracked_ = index;
    pendingSwitch_ = -1;
    firstFilterCall_ = true;
    selection_ = {};
    if (TSkinManagerLink* manager = TSkinManagerLink::Current()) {
      manager->SetMenuSource(kMenuFromBar);
      manager->SetMenuFlag(true);
    }
    SetButtonState(index, 2);
    RECT window{};
    GetWindowRect(window_, &window);
    const bool rightToLeft = RightToLeftMenu();
    const int x = window.left + (rightToLeft ? button.rect.right : button.rect.left);
    const int y = window.top + button.rect.bottom;
    if (!button.item) MarkOwnerDrawn(button.subMenu);
    {
      // Both leave on every way out of the menu loop.
      tracking_ = this;
      OwnedHook filter(SetWindowsHookExW(WH_MSGFILTER, FilterHook, nullptr, GetCurrentThreadId()));
      ownerLink_.Attach(window_);
      // The menu loop may free this bar (its window destroyed or unskinned
      // meanwhile): then nothing of it is touched afterwards.
      const TLiveness::Watch alive = liveness_.Observe();
      TrackPopupMenuEx(button.subMenu, (rightToLeft ? TPM_RIGHTALIGN : TPM_LEFTALIGN) | TPM_TOPALIGN | TPM_NONOTIFY, x,
                       y, window_, nullptr);
      if (!alive.Alive()) return;
      ownerLink_.Detach();
      tracking_ = nullptr;
    }
    UnmarkOwnerDrawn();
    SetButtonState(index, 1);
    tracked_ = -1;
    index = std::exchange(pendingSwitch_, -1);
  }
}

void TSkinMenuBar::MarkOwnerDrawn(HMENU menu) {
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    const PlatformMenuItem read = ReadPlatformMenuItem(menu, i, kMaxItemText);
    if (!read.read) continue;
    const MENUITEMINFOW& info = read.info;
    if (info.hSubMenu) MarkOwnerDrawn(info.hSubMenu);
    // Items their program draws itself stay its own; bitmaps are not text.
    if (info.fType & (MFT_OWNERDRAW | MFT_BITMAP)) continue;
    const bool separator = (info.fType & MFT_SEPARATOR) != 0;
    marked_.push_back({menu, static_cast<UINT>(i), info.wID, info.fType, separator ? L"-" : read.text,
                       (info.fState & MFS_DEFAULT) != 0});
    MENUITEMINFOW type{};
    type.cbSize = sizeof type;
    type.fMask = MIIM_FTYPE;
    type.fType = info.fType | MFT_OWNERDRAW;
    SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &type);
  }
}

void TSkinMenuBar::UnmarkOwnerDrawn() {
  for (const MarkedItem& item : marked_) {
    if (!IsMenu(item.menu)) continue;
    MENUITEMINFOW type{};
    type.cbSize = sizeof type;
    type.fMask = MIIM_FTYPE;
    type.fType = item.originalType;
    SetMenuItemInfoW(item.menu, item.position, TRUE, &type);
  }
  marked_.clear();
}

bool TSkinMenuBar::MeasureItem(MEASUREITEMSTRUCT& measure) const {
  if (measure.CtlType != ODT_MENU || !data_) return false;
  // The request names no menu: the first marked item with that identifier
  // (separators all measure alike).
  for (const MarkedItem& item : marked_)
    if (item.id == measure.itemID)
      return MeasureSkinnedHandleItem(*data_, item.text, item.text == L"-", measure);
  return false;
}

bool TSkinMenuBar::DrawItem(const DRAWITEMSTRUCT& draw) const {
  if (draw.CtlType != ODT_MENU || !data_) return false;
  const auto menu = reinterpret_cast<HMENU>(draw.hwndItem);
  for (const MarkedItem& item : marked_) {
    if (item.menu != menu || item.id != draw.itemID) continue;
    DrawSkinnedHandleItem(*data_, draw, item.text, item.text == L"-", item.isDefault);
    return true;
  }
  return false;
}

LRESULT CALLBACK TSkinMenuBar::FilterHook(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
  if (next != 0 || code != MSGF_MENU || !tracking_ || !lParam) return next;
  return tracking_->FilterMessage(*reinterpret_cast<const MSG*>(lParam)) ? 1 : 0;
}

HWND TSkinMenuBar::OpenPopupWindow() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (lstrcmpW(name, L"#32768") != 0 || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

bool TSkinMenuBar::FilterMessage(const MSG& message) {
  // The first item selected, as a bar menu opens. The first message may be a
  // thread message (a timer) with no window: the key goes to the popup itself.
  if (firstFilterCall_) {
    if (HWND popup = OpenPopupWindow()) {
      firstFilterCall_ = false;
      PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    }
  }
  switch (message.message) {
    case WM_KEYDOWN:
      switch (ClassifyBarMenuKey(static_cast<int>(message.wParam), RightToLeftMenu(), selection_)) {
        case BarMenuKey::EndSwitch: pendingSwitch_ = -1; return false;
        case BarMenuKey::Previous: SwitchTo(CycleMenuBarButton(Texts(), tracked_, -1)); return true;
        case BarMenuKey::Next: SwitchTo(CycleMenuBarButton(Texts(), tracked_, +1)); return true;
        case BarMenuKey::Pass: return false;
      }
      return false;
    case WM_SYSKEYDOWN:
      if (message.wParam == VK_MENU) EndMenu();
      return false;
    case WM_MOUSEMOVE: {
      RECT window{};
      GetWindowRect(window_, &window);
      const int index = HitTest({message.pt.x - window.left, message.pt.y - window.top});
      // Passing over a button without drop-down must not run its command.
      if (index >= 0 && index != tracked_ && buttons_[static_cast<size_t>(index)].subMenu) SwitchTo(index);
      return false;
    }
  }
  return false;
}

void TSkinMenuBar::SwitchTo(int index) {
  if (index < 0 || index == tracked_) return;
  // The open menu closes; OpenBarMenu then opens the target.
  pendingSwitch_ = index;
  EndMenu();
}

void TSkinMenuBar::WatchOwner(TMessage& message) {
  if (message.Msg == WM_MENUSELECT && tracked_ >= 0) {
    const UINT flags = HIWORD(message.WParam);
    const auto menu = reinterpret_cast<HMENU>(message.LParam);
    if (flags == 0xFFFF && !menu) {
      selection_ = {};
    } else {
      selection_.any = true;
      selection_.inDropDown = menu == buttons_[static_cast<size_t>(tracked_)].subMenu;
      selection_.hasSubMenu = (flags & MF_POPUP) != 0;
    }
  }
  ownerLink_.CallNext(message);
}

}  // namespace quonel
