#include "ui/menu_item.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "ui/menu.h"

namespace quonel {

namespace {

// Command identifiers of the library's items: below the system commands
// (0xF000 and up) and above the identifiers dialogs use for their buttons.
constexpr UINT kFirstCommand = 0x0100;
constexpr UINT kLastCommand = 0xEFFF;

class CommandTable {
 public:
  UINT Add(TMenuItem* item) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (UINT tries = 0; tries <= kLastCommand - kFirstCommand; ++tries) {
      const UINT command = next_;
      next_ = next_ == kLastCommand ? kFirstCommand : next_ + 1;
      if (items_.emplace(command, item).second) return command;
    }
    return 0;  // every identifier taken: the item never reaches a WM_COMMAND
  }
  void Remove(UINT command) {
    std::lock_guard<std::mutex> lock(mutex_);
    items_.erase(command);
  }
  TMenuItem* Find(UINT command) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = items_.find(command);
    return found == items_.end() ? nullptr : found->second;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<UINT, TMenuItem*> items_;
  UINT next_ = kFirstCommand;
};

CommandTable& Commands() {
  static CommandTable table;
  return table;
}

std::wstring PlatformText(const TMenuItem& item) {
  if (item.ShortCutText().empty()) return item.Caption();
  return item.Caption() + L"\t" + item.ShortCutText();
}

}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) { command_ = Commands().Add(this); }

TMenuItem::~TMenuItem() {
  Commands().Remove(command_);
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  items_.clear();
  // The sub-items' menus belong to them: take them out before ours goes.
  if (subMenu_) EmptyPlatformMenu(subMenu_.Get());
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::FindByCommand(UINT command) { return command ? Commands().Find(command) : nullptr; }

void TMenuItem::SetCaption(const std::wstring& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Changed();
}

void TMenuItem::SetShortCutText(const std::wstring& text) {
  if (shortCut_ == text) return;
  shortCut_ = text;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  // Radio items of one group (neighbours) show one mark at a time.
  if (checked && radioItem_ && parent_) {
    const int at = parent_->IndexOf(this);
    for (int step : {-1, 1})
      for (int i = at + step; i >= 0 && i < parent_->Count() && parent_->Items(i)->radioItem_; i += step)
        parent_->Items(i)->checked_ = false;
  }
  Changed();
}

void TMenuItem::SetRadioItem(bool radio) {
  if (radioItem_ == radio) return;
  radioItem_ = radio;
  Changed();
}

void TMenuItem::SetDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed();
}

void TMenuItem::SetImageIndex(int index) {
  if (imageIndex_ == index) return;
  imageIndex_ = index;
  Changed();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto found = std::find(items_.begin(), items_.end(), item);
  if (found == items_.end()) return;
  items_.erase(found);
  item->parent_ = nullptr;
  // The platform must not keep showing (or later destroy) the item's sub-menu.
  if (subMenu_) EmptyPlatformMenu(subMenu_.Get());
  Changed();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::DefaultMeasure(HDC dc, int& width, int& height) const {
  RECT box{0, 0, 0, 0};
  const std::wstring text = PlatformText(*this);
  DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &box, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
  width = box.right;
  height = IsLine() ? GetSystemMetrics(SM_CYMENU) / 2 : std::max<int>(box.bottom, GetSystemMetrics(SM_CYMENU));
}

void TMenuItem::MeasureItem(HDC dc, int& width, int& height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, dc, width, height);
  } else {
    DefaultMeasure(dc, width, height);
  }
}

void TMenuItem::DrawItem(HDC dc, const RECT& rect, UINT state) {
  if (OnDrawItem) {
    OnDrawItem(this, dc, rect, state);
    return;
  }
  const bool selected = (state & ODS_SELECTED) != 0;
  FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (IsLine()) {
    RECT line = rect;
    line.top = (rect.top + rect.bottom) / 2 - 1;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  SavedDcState saved(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(!enabled_ ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  RECT text = rect;
  text.left += GetSystemMetrics(SM_CXMENUCHECK) + 4;
  text.right -= 8;
  DrawTextW(dc, caption_.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (!shortCut_.empty()) DrawTextW(dc, shortCut_.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

void TMenuItem::Changed() {
  if (TMenu* menu = GetParentMenu()) menu->Rebuild();
}

void TMenuItem::RebuildSubMenu(bool ownerDraw) {
  if (items_.empty()) {
    if (subMenu_) EmptyPlatformMenu(subMenu_.Get());
    subMenu_.Reset();
    return;
  }
  if (!subMenu_) subMenu_.Reset(CreatePopupMenu());
  for (TMenuItem* item : items_) item->RebuildSubMenu(ownerDraw);
  FillPlatformMenu(subMenu_.Get(), *this, ownerDraw);
}

void EmptyPlatformMenu(HMENU menu) {
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
}

void FillPlatformMenu(HMENU menu, const TMenuItem& parent, bool ownerDraw) {
  EmptyPlatformMenu(menu);
  UINT position = 0;
  for (int i = 0; i < parent.Count(); ++i) {
    const TMenuItem& item = *parent.Items(i);
    if (!item.Visible()) continue;
    std::wstring text = PlatformText(item);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
    info.fType = (item.IsLine() ? MFT_SEPARATOR : 0) | (item.RadioItem() ? MFT_RADIOCHECK : 0) |
                 (ownerDraw ? MFT_OWNERDRAW : 0);
    info.fState = (item.Checked() ? MFS_CHECKED : 0) | (item.Default() ? MFS_DEFAULT : 0) |
                  (item.Enabled() ? 0 : MFS_GRAYED);
    info.wID = item.Command();
    // The draw and measure requests find the item through its command.
    info.dwItemData = item.Command();
    info.hSubMenu = item.Handle();
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    InsertMenuItemW(menu, position++, TRUE, &info);
  }
}

}  // namespace quonel
