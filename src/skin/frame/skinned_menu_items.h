// Menu items drawn by the skin. A toolkit menu is made owner-drawn with the
// skin's measuring and drawing on its items (their own handlers come back
// when the skinned menu goes); an item of a platform menu, known only by its
// handle, is measured and drawn from what the menu says about it. Either
// way the item sits on the background of the skinned popup that shows it.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/menus/menu_item_painter.h"
#include "ui/menu.h"

namespace quonel {

class TSkinData;

// One item of a platform menu as GetMenuItemInfo gives it, its text cut at
// maxText characters; read is false when there is no such item.
struct PlatformMenuItem {
  bool read = false;
  std::wstring text;
  MENUITEMINFOW info{};  // without its text pointer
};
PlatformMenuItem ReadPlatformMenuItem(HMENU menu, int position, int maxText);

// The background of the open skinned popup showing menu, under rect.
void TakePopupBackground(MenuItemPaint& paint, HMENU menu);

// The skin's measure of a toolkit item whose own size is width x height.
void MeasureSkinnedItem(const TSkinData& data, bool systemMenu, int& width, int& height);
// The skin's measure of a platform item: its text in the menu font.
bool MeasureSkinnedHandleItem(const TSkinData& data, const std::wstring& text, bool separator,
                              MEASUREITEMSTRUCT& measure);
// Draws a platform menu's item from its text and state (the draw request's
// hwndItem is the menu).
void DrawSkinnedHandleItem(const TSkinData& data, const DRAWITEMSTRUCT& draw, const std::wstring& text,
                           bool separator, bool isDefault);

// A toolkit menu drawn by the skin for as long as this object lives. It
// follows the menu and its items: one freed meanwhile is not touched again.
class TSkinnedMenu : public TComponent {
 public:
  TSkinnedMenu(TMenu& menu, TSkinData& data);
  ~TSkinnedMenu() override;
  const wchar_t* ClassName() const override { return L"TSkinnedMenu"; }
  // The menu, null once it is freed.
  TMenu* Menu() const { return menu_; }

 protected:
  void Notification(TComponent* component, Operation operation) override;

 private:
  struct SavedItem {
    TMenuItem* item;
    TMenuMeasureItemEvent measure;
    TMenuDrawItemEvent draw;
  };
  void Take(TMenuItem& item);

  TMenu* menu_;
  TSkinData& data_;
  bool ownerDraw_;
  OwnedFont font_;
  std::vector<SavedItem> saved_;
};

// The form's menus the skin draws: its popup menus with xcPopupMenu (not
// those tagged DisableTag) and its main menu with xcMainMenu or xcMenuItem.
// The frame keeps the result while it skins the form.
std::vector<std::unique_ptr<TSkinnedMenu>> SkinFormMenus(TComponent& form, TSkinData& data);

}  // namespace quonel
