#include "skin/frame/skin_menu_bar.h"

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/frame/skinned_menu_items.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/menus/menu_item_painter.h"
#include "ui/menu.h"

namespace quonel {

namespace {

constexpr int kMaxCaption = 80;
constexpr int kMenuFromBar = 1;

// The bar whose drop-down is open on this thread (menus are modal per thread).
thread_local TSkinMenuBar* trackingBar = nullptr;

const TDataSkinObject* MenuBarObject(const TSkinData* data) {
  if (!data || data->Empty()) return nullptr;
  const TDataSkinObject* object = data->Slot(SkinSlot::MenuBar);
  return object && !object->Image.Empty() ? object : nullptr;
}

bool RightToLeft(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0; }

}  // namespace

TSkinMenuBar::TSkinMenuBar(HWND window, TSkinData* data, TMainMenu* menu)
    : window_(window), data_(data), toolkitMenu_(menu) {
  ownerLink_.SetHandler([this](TWindowSubclass&, TMessage& message) { WatchOwner(message); });
  Rebuild();
}

TSkinMenuBar::~TSkinMenuBar() {
  ownerLink_.Detach();
  if (trackingBar == this) trackingBar = nullptr;
  const bool toolkitMenu = toolkitMenu_ && toolkitMenu_->Handle() == menu_;
  if (closing_ && toolkitMenu) return;
  if (menu_ && IsWindow(window_) && !GetMenu(window_) && IsMenu(menu_)) SetMenu(window_, menu_);
}

void TSkinMenuBar::Rebuild() {
  if (HMENU current = GetMenu(window_)) menu_ = current;
  if (!menu_) return;
  buttons_.clear();
  hot_ = -1;
  const int count = GetMenuItemCount(menu_);
  for (int i = 0; i < count; ++i) {
    wchar_t text[kMaxCaption + 1] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = kMaxCaption;
    if (!GetMenuItemInfoW(menu_, static_cast<UINT>(i), TRUE, &info)) continue;
    TMenuBtn button;
    button.index = static_cast<int>(buttons_.size());
    button.caption = text;
    button.command = info.wID;
    button.subMenu = info.hSubMenu;
    button.enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
    // The toolkit's own item says best what it is.
    if (TMenuItem* item = toolkitMenu_ ? toolkitMenu_->FindItem(info.wID) : nullptr) {
      button.item = item;
      button.caption = item->Caption();
      button.enabled = item->Enabled();
      button.visible = item->Visible();
      button.subMenu = item->Handle();
    }
    buttons_.push_back(std::move(button));
  }
  // The platform draws no bar of its own from now on.
  if (GetMenu(window_)) SetMenu(window_, nullptr);
}

int TSkinMenuBar::Height() const { return GetSystemMetrics(SM_CYMENU); }

std::vector<MenuBarButtonText> TSkinMenuBar::Texts() const {
  std::vector<MenuBarButtonText> texts;
  WindowDc screen;
  OwnedFont font = MenuFont();
  SelectionScope selected(screen.Get(), font.Get());
  for (const TMenuBtn& button : buttons_) {
    RECT box{0, 0, 0, 0};
    if (!button.caption.empty())
      DrawTextW(screen.Get(), button.caption.c_str(), -1, &box, DT_SINGLELINE | DT_CALCRECT);
    texts.push_back({static_cast<int>(box.right), button.caption.empty(), button.visible, button.subMenu != nullptr});
  }
  return texts;
}

void TSkinMenuBar::PaintBar(HDC dc, const RECT& rect, bool active) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  active_ = active;
  barRect_ = rect;
  SkinBitmap canvas = SkinBitmap::Create(width, height);
  if (canvas.Empty()) return;
  const TDataSkinObject* object = MenuBarObject(data_);
  {
    BitmapDc to(canvas);
    const Rect area{0, 0, width, height};
    if (object) {
      const int frame = active || object->Frames < 2 ? 1 : 2;
      StripFrame strip{object->Image, std::max(1, object->Frames), frame,
                       {object->Margins.left, 0, object->Margins.right, 0}, true, object->Tile != 1, false};
      if (object->Tile == 1) {
        DrawSkinImage(to.Get(), area, strip);
      } else {
        DrawFrameTiled(to.Get(), area, strip);
      }
    } else {
      FillWithColor(to.Get(), area, data_ ? data_->Colours().MenuBar : clBtnFace);
    }
  }
  // Single buttons are repainted over this copy.
  background_ = SkinBitmap::Create(width, height);
  if (!background_.Empty()) {
    BitmapDc to(background_);
    BitmapDc from(canvas);
    BitBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, SRCCOPY);
  }
  const std::vector<MenuBarButtonText> texts = Texts();
  const std::vector<Rect> rects =
      LayoutMenuBar({width, height, object != nullptr, object ? object->Margins.left : 0,
                     object ? object->Margins.right : 0, RightToLeft(window_)},
                    texts);
  BitmapDc to(canvas);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    TMenuBtn& button = buttons_[i];
    const Rect& r = rects[i];
    button.rect = {rect.left + r.left, rect.top + r.top, rect.left + r.right, rect.top + r.bottom};
    if (!button.visible || button.caption.empty()) continue;
    SetViewportOrgEx(to.Get(), -rect.left, -rect.top, nullptr);
    PaintButton(to.Get(), button);
    SetViewportOrgEx(to.Get(), 0, 0, nullptr);
  }
  BitBlt(dc, rect.left, rect.top, width, height, to.Get(), 0, 0, SRCCOPY);
}

// dc's coordinates are the window's.
void TSkinMenuBar::PaintButton(HDC dc, const TMenuBtn& button) {
  const RECT& r = button.rect;
  if (!background_.Empty()) {
    BitmapDc from(background_);
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, from.Get(), r.left - barRect_.left,
           r.top - barRect_.top, SRCCOPY);
  }
  const TSkinColours* colours = data_ ? &data_->Colours() : nullptr;
  if (button.state == 2 || button.state == 3) {
    OwnedBrush frame(CreateSolidBrush(ColorToRGB(colours ? colours->ButtonHilight : clWhite)));
    FrameRect(dc, &r, frame.Get());
  }
  OwnedFont font = MenuFont();
  SelectionScope selected(dc, font.Get());
  SavedDcState saved(dc);
  SetBkMode(dc, TRANSPARENT);
  const TColor text = !colours ? clBlack : button.enabled ? colours->MenuBarText : colours->ButtonShadow;
  SetTextColor(dc, ColorToRGB(text));
  RECT box = r;
  DrawTextW(dc, button.caption.c_str(), -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void TSkinMenuBar::SetButtonState(int index, int state) {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return;
  TMenuBtn& button = buttons_[static_cast<size_t>(index)];
  if (button.state == state) return;
  button.state = state;
  if (button.caption.empty() || !button.visible || !IsWindow(window_)) return;
  WholeWindowDc dc(window_);
  PaintButton(dc.Get(), button);
}

int TSkinMenuBar::HitTest(POINT windowPoint) const {
  std::vector<Rect> rects;
  std::vector<MenuBarButtonText> texts;
  for (const TMenuBtn& button : buttons_) {
    rects.push_back(FromRECT(button.rect));
    texts.push_back({0, button.caption.empty(), button.visible});
  }
  return MenuBarHitTest(rects, texts, windowPoint.x, windowPoint.y);
}

int TSkinMenuBar::ButtonForKey(wchar_t key) const {
  if (key == 0) {
    const int first = CycleMenuBarButton(Texts(), -1, +1);
    return first >= 0 && buttons_[static_cast<size_t>(first)].enabled ? first : -1;
  }
  const wchar_t wanted = MenuMnemonic(std::wstring(L"&") + key);
  for (const TMenuBtn& button : buttons_)
    if (button.visible && button.enabled && wanted && MenuMnemonic(button.caption) == wanted) return button.index;
  return -1;
}

void TSkinMenuBar::MouseMove(POINT windowPoint) {
  const int index = HitTest(windowPoint);
  if (index == hot_) return;
  SetButtonState(hot_, 1);
  hot_ = index;
  if (index >= 0 && buttons_[static_cast<size_t>(index)].enabled) SetButtonState(index, 3);
}

void TSkinMenuBar::MouseLeave() {
  SetButtonState(hot_, 1);
  hot_ = -1;
}

void TSkinMenuBar::MouseDown(POINT windowPoint) {
  const int index = HitTest(windowPoint);
  if (index < 0) return;
  hot_ = index;
  OpenBarMenu(index);
}

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
    const bool rightToLeft = RightToLeft(window_);
    const int x = window.left + (rightToLeft ? button.rect.right : button.rect.left);
    const int y = window.top + button.rect.bottom;
    if (!button.item) MarkOwnerDrawn(button.subMenu);
    {
      // Both leave on every way out of the menu loop.
      trackingBar = this;
      OwnedHook filter(SetWindowsHookExW(WH_MSGFILTER, FilterHook, nullptr, GetCurrentThreadId()));
      ownerLink_.Attach(window_);
      TrackPopupMenuEx(button.subMenu, (rightToLeft ? TPM_RIGHTALIGN : TPM_LEFTALIGN) | TPM_TOPALIGN, x, y, window_,
                       nullptr);
      ownerLink_.Detach();
      trackingBar = nullptr;
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
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu) MarkOwnerDrawn(info.hSubMenu);
    // Items their program draws itself stay its own; bitmaps are not text.
    if (info.fType & (MFT_OWNERDRAW | MFT_BITMAP)) continue;
    const bool separator = (info.fType & MFT_SEPARATOR) != 0;
    marked_.push_back({menu, static_cast<UINT>(i), info.wID, info.fType, separator ? L"-" : std::wstring(text),
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
  if (next != 0 || code != MSGF_MENU || !trackingBar || !lParam) return next;
  return trackingBar->FilterMessage(*reinterpret_cast<const MSG*>(lParam)) ? 1 : 0;
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
      switch (ClassifyBarMenuKey(static_cast<int>(message.wParam), RightToLeft(window_), selection_)) {
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
