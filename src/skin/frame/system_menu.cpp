#include "skin/frame/system_menu.h"

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/frame/skinned_menu_items.h"
#include "skin/menus/menu_geometry.h"
#include "skin/menus/menu_item_painter.h"

namespace quonel {

namespace {

// The skin's menu glyphs: a strip of square cells on white.
constexpr int kGlyphSize = 16;

}  // namespace

std::vector<SystemMenuEntry> SkinnedSystemMenuEntries(HMENU systemMenu, const SystemMenuWindow& window) {
  std::vector<SystemMenuEntry> entries;
  const int count = systemMenu ? GetMenuItemCount(systemMenu) : 0;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
    wchar_t text[256] = {};
    info.dwTypeData = text;
    info.cch = 255;
    if (!GetMenuItemInfoW(systemMenu, i, TRUE, &info)) continue;
    SystemMenuEntry entry;
    if (info.fType & MFT_SEPARATOR) {
      entry.text = L"-";
      entries.push_back(entry);
      continue;
    }
    entry.command = info.wID;
    entry.text = text;
    entry.enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
    entry.checked = (info.fState & MFS_CHECKED) != 0;
    entry.isDefault = (info.fState & MFS_DEFAULT) != 0;
    const bool maximised = window.placement == 1;
    switch (entry.command & 0xFFF0) {
      case SC_RESTORE: entry.image = 0; entry.enabled = window.placement != 0; break;
      case SC_MAXIMIZE: entry.image = 1; entry.enabled = !maximised && window.maximiseBox; break;
      case SC_MINIMIZE: entry.image = 2; entry.enabled = window.placement != 2 && window.minimiseBox; break;
      case SC_CLOSE: entry.image = 3; break;
      case SC_MOVE: entry.enabled = entry.enabled && !maximised; break;
      // A window of fixed size cannot be sized from its menu either.
      case SC_SIZE: entry.enabled = entry.enabled && !maximised && window.sizeable; break;
      default: break;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

UINT SystemMenuPopup::Track(HWND owner, POINT at, const TSkinData& data, std::vector<SystemMenuEntry> entries) {
  OwnedMenu menu(CreatePopupMenu());
  if (!menu) return 0;
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_MENUDATA;
  info.dwMenuData = kSystemMenuTag;
  SetMenuInfo(menu.Get(), &info);
  entries_ = std::move(entries);
  for (size_t i = 0; i < entries_.size(); ++i) {
    const SystemMenuEntry& e = entries_[i];
    UINT flags = MF_OWNERDRAW | (e.command == 0 ? MF_SEPARATOR : 0) | (e.enabled ? 0 : MF_GRAYED) |
                 (e.checked ? MF_CHECKED : 0);
    // The item data is the entry's place, plus one so that no item has 0.
    AppendMenuW(menu.Get(), flags, e.command, reinterpret_cast<LPCWSTR>(i + 1));
  }
  data_ = &data;
  font_ = MenuFont();
  menu_ = menu.Get();
  const TLiveness::Watch alive = liveness_.Observe();
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, at.x, at.y, 0, owner,
                     nullptr));
  if (!alive.Alive()) return 0;
  menu_ = nullptr;
  return chosen;
}

const SystemMenuEntry* SystemMenuPopup::EntryOf(UINT_PTR itemData) const {
  if (!menu_ || itemData == 0 || itemData > entries_.size()) return nullptr;
  return &entries_[itemData - 1];
}

bool SystemMenuPopup::Measure(MEASUREITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU) return false;
  const SystemMenuEntry* entry = EntryOf(item.itemData);
  if (!entry || !data_) return false;
  // The entry's own size, as the toolkit measures its items, then the skin's
  // room; the glyphs are the skin's own, the popup has no image list.
  WindowDc screen;
  SelectionScope font(screen.Get(), font_.Get());
  RECT r{0, 0, 0, 0};
  const bool separator = entry->command == 0;
  DrawTextW(screen.Get(), separator || entry->text.empty() ? L" " : entry->text.c_str(), -1, &r,
            DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
  const int menuHeight = GetSystemMetrics(SM_CYMENU);
  const TDataSkinObject* object = data_->Slot(SkinSlot::MenuItem);
  const int leftMargin = object && !object->Image.Empty() ? object->Margins.left : 0;
  item.itemWidth = static_cast<UINT>(MeasuredItemWidth(r.right, leftMargin, false, true));
  item.itemHeight = static_cast<UINT>(separator ? menuHeight / 2 : std::max<int>(r.bottom, menuHeight));
  return true;
}

bool SystemMenuPopup::Draw(const DRAWITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU) return false;
  const SystemMenuEntry* entry = EntryOf(item.itemData);
  if (!entry || !data_) return false;
  MenuItemPaint paint;
  paint.dc = item.hDC;
  paint.rect = item.rcItem;
  paint.font = font_.Get();
  paint.data = data_;
  const size_t tab = entry->text.find(L'\t');
  paint.caption = entry->command == 0 ? L"-" : entry->text.substr(0, tab);
  if (entry->command != 0 && tab != std::wstring::npos) paint.shortcut = entry->text.substr(tab + 1);
  // A disabled entry is not lit up under the mouse.
  paint.selected = (item.itemState & ODS_SELECTED) && entry->enabled;
  paint.enabled = entry->enabled;
  paint.checked = entry->checked;
  paint.isDefault = entry->isDefault;
  const SkinBitmap& glyphs = data_->MenuGlyphs();
  if (entry->image >= 0 && !glyphs.Empty()) {
    paint.images = &glyphs;
    paint.imageWidth = kGlyphSize;
    paint.imageIndex = entry->image;
  }
  TakePopupBackground(paint, menu_);
  PaintMenuItem(paint);
  return true;
}

}  // namespace quonel
