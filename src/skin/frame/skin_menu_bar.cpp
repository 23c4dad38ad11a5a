#include "skin/frame/skin_menu_bar.h"

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/frame/skinned_menu_items.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/menus/menu_item_painter.h"
#include "ui/menu.h"

namespace quonel {

namespace {

constexpr int kMaxCaption = 80;

const TDataSkinObject* MenuBarObject(const TSkinData* data) {
  if (!data || data->Empty()) return nullptr;
  const TDataSkinObject* object = data->Slot(SkinSlot::MenuBar);
  return object && !object->Image.Empty() ? object : nullptr;
}

}  // namespace

TSkinMenuBar::TSkinMenuBar(HWND window, TSkinData* data, TMainMenu* menu)
    : window_(window), data_(data), toolkitMenu_(menu) {
  ownerLink_.SetHandler([this](TWindowSubclass&, TMessage& message) { WatchOwner(message); });
  Rebuild();
}

TSkinMenuBar::~TSkinMenuBar() {
  ownerLink_.Detach();
  if (tracking_ == this) tracking_ = nullptr;
  // Freed while a drop-down was open: its items get their own look back.
  UnmarkOwnerDrawn();
  const bool toolkitMenu = toolkitMenu_ && toolkitMenu_->Handle() == menu_;
  if (closing_ && toolkitMenu) return;
  if (menu_ && IsWindow(window_) && !GetMenu(window_) && IsMenu(menu_)) SetMenu(window_, menu_);
}

void TSkinMenuBar::Rebuild() {
  if (HMENU current = GetMenu(window_)) menu_ = current;
  if (!menu_) return;
  // The frame rebuilds the bar on each paint: the button under the mouse stays hot.
  const int hot = hot_;
  buttons_.clear();
  hot_ = -1;
  const int count = GetMenuItemCount(menu_);
  for (int i = 0; i < count; ++i) {
    const PlatformMenuItem read = ReadPlatformMenuItem(menu_, i, kMaxCaption);
    if (!read.read) continue;
    const MENUITEMINFOW& info = read.info;
    TMenuBtn button;
    button.index = static_cast<int>(buttons_.size());
    button.caption = read.text;
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
  if (hot >= 0 && hot < static_cast<int>(buttons_.size()) && buttons_[static_cast<size_t>(hot)].enabled) {
    hot_ = hot;
    buttons_[static_cast<size_t>(hot)].state = 3;
  }
  // The platform draws no bar of its own from now on.
  if (GetMenu(window_)) SetMenu(window_, nullptr);
}

int TSkinMenuBar::Height() const { return GetSystemMetrics(SM_CYMENU); }

bool TSkinMenuBar::RightToLeftMenu() const {
  return (GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
}

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
                     object ? object->Margins.right : 0, RightToLeftMenu()},
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

}  // namespace quonel
