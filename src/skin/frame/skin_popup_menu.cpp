#include "skin/frame/skin_popup_menu.h"

#include <vector>

#include "skin/data/skin_data.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/skin_messages.h"

namespace quonel {

namespace {

// The popup-menu window's question for the menu it shows.
constexpr UINT kGetMenuHandle = 0x01E1;

// The attached popup skins of this thread (menus are modal per thread): a
// handful at most, one per open menu level.
thread_local std::vector<TSkinPopupMenu*> attachedPopups;

}  // namespace

TSkinPopupMenu::TSkinPopupMenu(HWND window, TSkinData* data, bool menuFlag)
    : window_(window), skinData_(data), menuFlag_(menuFlag) {
  link_.SetHandler([this](TWindowSubclass&, TMessage& message) { HandleMessage(message); });
  link_.OnDetached = [this] { std::erase(attachedPopups, this); };
  if (link_.Attach(window)) attachedPopups.push_back(this);
}

TSkinPopupMenu::~TSkinPopupMenu() { Detach(); }

void TSkinPopupMenu::Detach() {
  link_.Detach();
  std::erase(attachedPopups, this);
  background_ = SkinBitmap();
}

TSkinPopupMenu* TSkinPopupMenu::Showing(HMENU menu) {
  if (!menu) return nullptr;
  for (TSkinPopupMenu* popup : attachedPopups)
    if (popup->BoundMenu() == menu) return popup;
  return nullptr;
}

HMENU TSkinPopupMenu::BoundMenu() const {
  if (boundMenu_ || !link_.Attached()) return boundMenu_;
  // Each popup knows its own menu: nested sub-menus never take their parent's.
  return reinterpret_cast<HMENU>(SendMessageW(window_, kGetMenuHandle, 0, 0));
}

bool TSkinPopupMenu::HasBackgroundImage() const {
  if (!skinData_ || skinData_->Empty()) return false;
  const TDataSkinObject* object = skinData_->Slot(SkinSlot::MenuBackground);
  return object && !object->Image.Empty();
}

POINT TSkinPopupMenu::BorderOffset() const {
  RECT window{};
  GetWindowRect(window_, &window);
  POINT client{0, 0};
  ClientToScreen(window_, &client);
  return {client.x - window.left, client.y - window.top};
}

void TSkinPopupMenu::RebuildBackground() {
  background_ = SkinBitmap();
  if (!HasBackgroundImage()) return;
  RECT window{};
  GetWindowRect(window_, &window);
  const TDataSkinObject& object = *skinData_->Slot(SkinSlot::MenuBackground);
  background_ = BuildSkinImage({0, 0, window.right - window.left, window.bottom - window.top},
                               StripFrame{object.Image, 1, 1, object.Margins, false, object.Tile == 1, false});
}

const SkinBitmap& TSkinPopupMenu::CurrentBackground() {
  RECT window{};
  GetWindowRect(window_, &window);
  if (background_.Empty() || background_.Width() != window.right - window.left ||
      background_.Height() != window.bottom - window.top)
    RebuildBackground();
  return background_;
}

void TSkinPopupMenu::PrintClient(HDC dc) {
  const SkinBitmap& background = CurrentBackground();
  if (background.Empty()) return;
  const POINT border = BorderOffset();
  BitmapDc from(background);
  BitBlt(dc, -border.x, -border.y, background.Width(), background.Height(), from.Get(), 0, 0, SRCCOPY);
}

void TSkinPopupMenu::CoverAroundItems() {
  const SkinBitmap& background = CurrentBackground();
  const HMENU menu = BoundMenu();
  if (background.Empty() || !menu) return;
  WindowDc dc(window_);
  SavedDcState saved(dc.Get());
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    RECT item{};
    if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item)) continue;
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&item), 2);
    ExcludeClipRect(dc.Get(), item.left, item.top, item.right, item.bottom);
  }
  PrintClient(dc.Get());
}

void TSkinPopupMenu::HandleMessage(TMessage& message) {
  if (message.Msg == SKM_ISSKINNED) {
    message.Result = 1;
    return;
  }
  if (ManagerActive && !ManagerActive()) {
    link_.CallNext(message);
    return;
  }
  switch (message.Msg) {
    case WM_ERASEBKGND:
      if (!skinData_ || !InSet(skinData_->Options(), xoMenuBG)) link_.CallNext(message);
      message.Result = 1;
      return;
    case WM_NCPAINT:
      if (!HasBackgroundImage()) break;
      RebuildBackground();
      if (!background_.Empty()) {
        // The whole window, its border included.
        WholeWindowDc dc(window_);
        BitmapDc from(background_);
        BitBlt(dc.Get(), 0, 0, background_.Width(), background_.Height(), from.Get(), 0, 0, SRCCOPY);
      }
      message.Result = 0;
      return;
    case WM_PRINTCLIENT: {
      if (!HasBackgroundImage()) break;
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      RebuildBackground();
      PrintClient(dc);
      SavedDcState saved(dc);
      SetBkMode(dc, TRANSPARENT);
      RECT client{};
      GetClientRect(window_, &client);
      IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
      link_.CallNext(message);
      return;
    }
    case WM_PAINT:
      link_.CallNext(message);
      // A popup that paints straight from WM_PAINT drew its own frame: ours goes over it.
      if (HasBackgroundImage()) CoverAroundItems();
      return;
  }
  link_.CallNext(message);
}

}  // namespace quonel
