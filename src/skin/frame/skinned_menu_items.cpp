#include "skin/frame/skinned_menu_items.h"

#include "skin/data/skin_data.h"
#include "skin/frame/skin_popup_menu.h"
#include "skin/menus/menu_geometry.h"

namespace quonel {

namespace {

int MenuItemLeftMargin(const TSkinData& data) {
  const TDataSkinObject* object = data.Slot(SkinSlot::MenuItem);
  return object && !object->Image.Empty() ? object->Margins.left : 0;
}

}  // namespace

PlatformMenuItem ReadPlatformMenuItem(HMENU menu, int position, int maxText) {
  PlatformMenuItem item;
  std::vector<wchar_t> text(static_cast<size_t>(maxText) + 1, L'\0');
  item.info.cbSize = sizeof item.info;
  item.info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
  item.info.dwTypeData = text.data();
  item.info.cch = static_cast<UINT>(maxText);
  item.read = GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item.info) != FALSE;
  item.info.dwTypeData = nullptr;
  item.text = text.data();
  return item;
}

void TakePopupBackground(MenuItemPaint& paint, HMENU menu) {
  TSkinPopupMenu* popup = TSkinPopupMenu::Showing(menu);
  if (!popup) return;
  const SkinBitmap& background = popup->CurrentBackground();
  if (background.Empty()) return;
  const POINT border = popup->BorderOffset();
  paint.background = &background;
  paint.backgroundOffset = {paint.rect.left + border.x, paint.rect.top + border.y};
}

void MeasureSkinnedItem(const TSkinData& data, bool systemMenu, int& width, int& height) {
  // The toolkit's menus carry no image list.
  width = MeasuredItemWidth(width, MenuItemLeftMargin(data), false, systemMenu);
  (void)height;
}

bool MeasureSkinnedHandleItem(const TSkinData& data, const std::wstring& text, bool separator,
                              MEASUREITEMSTRUCT& measure) {
  WindowDc screen;
  OwnedFont font = MenuFont();
  SelectionScope selected(screen.Get(), font.Get());
  RECT box{0, 0, 0, 0};
  const bool hasText = !separator && !text.empty();
  if (hasText) DrawTextW(screen.Get(), text.c_str(), -1, &box, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
  const ItemSize size = MeasuredHandleItem(box.right, box.bottom, MenuItemLeftMargin(data), hasText);
  measure.itemWidth = static_cast<UINT>(size.width);
  measure.itemHeight = static_cast<UINT>(size.height);
  return true;
}

void DrawSkinnedHandleItem(const TSkinData& data, const DRAWITEMSTRUCT& draw, const std::wstring& text,
                           bool separator, bool isDefault) {
  OwnedFont font = MenuFont();
  MenuItemPaint paint;
  paint.dc = draw.hDC;
  paint.rect = draw.rcItem;
  paint.font = font.Get();
  paint.data = &data;
  const size_t tab = text.find(L'\t');
  paint.caption = separator ? L"-" : text.substr(0, tab);
  if (!separator && tab != std::wstring::npos) paint.shortcut = text.substr(tab + 1);
  paint.selected = (draw.itemState & ODS_SELECTED) != 0;
  paint.enabled = !(draw.itemState & (ODS_GRAYED | ODS_DISABLED));
  paint.checked = (draw.itemState & ODS_CHECKED) != 0;
  paint.isDefault = isDefault;
  TakePopupBackground(paint, reinterpret_cast<HMENU>(draw.hwndItem));
  PaintMenuItem(paint);
}

TSkinnedMenu::TSkinnedMenu(TMenu& menu, TSkinData& data)
    : TComponent(nullptr), menu_(&menu), data_(data), ownerDraw_(menu.OwnerDraw()), font_(MenuFont()) {
  menu.FreeNotification(this);
  Take(*menu.Items());
  menu.SetOwnerDraw(true);
}

TSkinnedMenu::~TSkinnedMenu() {
  for (SavedItem& saved : saved_) {
    saved.item->OnMeasureItem = std::move(saved.measure);
    saved.item->OnDrawItem = std::move(saved.draw);
  }
  if (menu_) menu_->SetOwnerDraw(ownerDraw_);
}

void TSkinnedMenu::Notification(TComponent* component, Operation operation) {
  TComponent::Notification(component, operation);
  if (operation != Operation::Remove) return;
  if (component == menu_) menu_ = nullptr;
  std::erase_if(saved_, [component](const SavedItem& saved) { return saved.item == component; });
}

void TSkinnedMenu::Take(TMenuItem& parent) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem& item = *parent.Items(i);
    saved_.push_back({&item, item.OnMeasureItem, item.OnDrawItem});
    item.FreeNotification(this);
    // The skin measures items that have no measuring of their own.
    if (!item.OnMeasureItem)
      item.OnMeasureItem = [this](TMenuItem* sender, HDC dc, int& width, int& height) {
        SelectionScope font(dc, font_.Get());
        sender->DefaultMeasure(dc, width, height);
        MeasureSkinnedItem(data_, false, width, height);
      };
    item.OnDrawItem = [this](TMenuItem* sender, HDC dc, const RECT& rect, UINT state) {
      MenuItemPaint paint;
      paint.dc = dc;
      paint.rect = rect;
      paint.font = font_.Get();
      paint.data = &data_;
      paint.caption = sender->Caption();
      paint.shortcut = sender->ShortCutText();
      paint.selected = (state & ODS_SELECTED) != 0;
      paint.enabled = sender->Enabled();
      paint.checked = sender->Checked();
      paint.radio = sender->RadioItem();
      paint.isDefault = sender->Default();
      TakePopupBackground(paint, sender->Parent() && sender->Parent()->Handle()
                                     ? sender->Parent()->Handle()
                                     : (sender->GetParentMenu() ? sender->GetParentMenu()->Handle() : nullptr));
      PaintMenuItem(paint);
    };
    Take(item);
  }
}

std::vector<std::unique_ptr<TSkinnedMenu>> SkinFormMenus(TComponent& form, TSkinData& data) {
  std::vector<std::unique_ptr<TSkinnedMenu>> skinned;
  const TSkinControlTypes controls = data.SkinControls();
  for (int i = 0; i < form.ComponentCount(); ++i) {
    TComponent* component = form.Components(i);
    if (auto* popup = dynamic_cast<TPopupMenu*>(component)) {
      if (InSet(controls, xcPopupMenu) && popup->Tag() != data.DisableTag())
        skinned.push_back(std::make_unique<TSkinnedMenu>(*popup, data));
    } else if (auto* bar = dynamic_cast<TMainMenu*>(component)) {
      if (InSet(controls, xcMainMenu) || InSet(controls, xcMenuItem))
        skinned.push_back(std::make_unique<TSkinnedMenu>(*bar, data));
    }
  }
  return skinned;
}

}  // namespace quonel
