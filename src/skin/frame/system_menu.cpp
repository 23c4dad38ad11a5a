#include "skin/frame/system_menu.h"

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/gdi/transparent_blit.h"

namespace quonel {

namespace {

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 7;
constexpr int kGlyphColumn = 24;

// The menu font with the GB2312 character set, for the entries' Chinese texts.
OwnedFont MenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW face{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) face = metrics.lfMenuFont;
  face.lfCharSet = GB2312_CHARSET;
  return OwnedFont(CreateFontIndirectW(&face));
}

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
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, at.x, at.y, 0, owner,
                     nullptr));
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
  if (!entry) return false;
  if (entry->command == 0) {
    item.itemWidth = 40;
    item.itemHeight = kSeparatorHeight;
    return true;
  }
  WindowDc screen;
  SelectionScope font(screen.Get(), font_.Get());
  RECT r{0, 0, 0, 0};
  // The label, a gap, then the shortcut after the tab.
  DrawTextW(screen.Get(), entry->text.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
  item.itemWidth = kGlyphColumn + r.right + 40;
  item.itemHeight = std::max<UINT>(kItemHeight, r.bottom + 6);
  return true;
}

bool SystemMenuPopup::Draw(const DRAWITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU) return false;
  const SystemMenuEntry* entry = EntryOf(item.itemData);
  if (!entry || !data_) return false;
  const TSkinColours& colours = data_->Colours();
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) && entry->enabled;
  OwnedBrush back(CreateSolidBrush(ColorToRGB(selected ? colours.Hilight : colours.Menu)));
  FillRect(dc, &r, back.Get());
  if (entry->command == 0) {
    OwnedBrush line(CreateSolidBrush(ColorToRGB(colours.ButtonShadow)));
    const int y = (r.top + r.bottom) / 2;
    RECT rule{r.left + kGlyphColumn, y, r.right - 4, y + 1};
    FillRect(dc, &rule, line.Get());
    return true;
  }
  const SkinBitmap& glyphs = data_->MenuGlyphs();
  if (entry->image >= 0 && !glyphs.Empty()) {
    // The glyph cell, copied to a scratch bitmap so that white stays clear.
    SkinBitmap cell = SkinBitmap::Create(16, 16);
    if (!cell.Empty()) {
      {
        BitmapDc to(cell);
        BitmapDc from(glyphs);
        BitBlt(to.Get(), 0, 0, 16, 16, from.Get(), entry->image * 16, 0, SRCCOPY);
      }
      const int top = r.top + (r.bottom - r.top - 16) / 2;
      TransparentBlit(dc, {r.left + 4, top, r.left + 20, top + 16}, cell, clWhite);
    }
  }
  SavedDcState saved(dc);
  SelectObject(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  TColor text = selected ? colours.HilightText : colours.MenuText;
  if (!entry->enabled) text = colours.ButtonShadow;
  SetTextColor(dc, ColorToRGB(text));
  RECT textBox{r.left + kGlyphColumn, r.top, r.right - 8, r.bottom};
  const size_t tab = entry->text.find(L'\t');
  DrawTextW(dc, entry->text.c_str(), static_cast<int>(std::min(tab, entry->text.size())), &textBox,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (tab != std::wstring::npos)
    DrawTextW(dc, entry->text.c_str() + tab + 1, -1, &textBox, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  return true;
}

}  // namespace quonel
