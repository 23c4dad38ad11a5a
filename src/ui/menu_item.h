// TMenuItem: one entry of a main or popup menu - caption (with its "&"
// mnemonic; "-" makes a separator), shortcut text, check mark, radio mark,
// default, enabled, visible, Tag, sub-items, and the click, measure and draw
// events. Every item has a command identifier of its own, unique in the
// process, so that WM_COMMAND, WM_MEASUREITEM and WM_DRAWITEM find it; the
// items of a menu with sub-items own the platform popup menu that shows them.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/component.h"
#include "core/win32_owners.h"

namespace quonel {

class TMenu;
class TMenuItem;

using TMenuMeasureItemEvent = std::function<void(TMenuItem* sender, HDC dc, int& width, int& height)>;
// state: the ODS_* flags of the platform's draw request.
using TMenuDrawItemEvent = std::function<void(TMenuItem* sender, HDC dc, const RECT& rect, UINT state)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  const wchar_t* ClassName() const override { return L"TMenuItem"; }

  // The item whose command identifier this is, or null (also for freed items).
  static TMenuItem* FindByCommand(UINT command);

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  // "-": a separator line.
  bool IsLine() const { return caption_ == L"-"; }
  const std::wstring& ShortCutText() const { return shortCut_; }
  void SetShortCutText(const std::wstring& text);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radio);
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);

  UINT Command() const { return command_; }
  // The sub-items' platform menu; null while the item has none.
  HMENU Handle() const { return subMenu_.Get(); }
  TMenuItem* Parent() const { return parent_; }
  // The menu the item belongs to (through its parents), or null.
  TMenu* GetParentMenu() const;

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  // The item becomes a sub-item of this one (leaving a former parent).
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  int IndexOf(const TMenuItem* item) const;

  // Runs OnClick (only when enabled).
  virtual void Click();
  // The item's own size for an owner-drawn entry: the caption and shortcut
  // in the dc's font, without the measuring event.
  void DefaultMeasure(HDC dc, int& width, int& height) const;
  // Through OnMeasureItem when set, else DefaultMeasure.
  void MeasureItem(HDC dc, int& width, int& height);
  // Through OnDrawItem when set, else plain text on the menu colours.
  void DrawItem(HDC dc, const RECT& rect, UINT state);

  std::function<void(TComponent* sender)> OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;

 private:
  friend class TMenu;
  // A property changed: the platform menu that shows the item is rebuilt.
  void Changed();
  // Puts the visible sub-items into Handle() (making it when needed).
  void RebuildSubMenu(bool ownerDraw);
  void SetParentItem(TMenuItem* parent) { parent_ = parent; }

  std::wstring caption_;
  std::wstring shortCut_;
  bool checked_ = false;
  bool radioItem_ = false;
  bool default_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  int imageIndex_ = -1;
  UINT command_ = 0;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item of a menu
  std::vector<TMenuItem*> items_;
  OwnedMenu subMenu_;
};

// Fills menu with the visible items (owner-drawn when ownerDraw), removing
// what it held before without destroying sub-menus (their items own them).
void FillPlatformMenu(HMENU menu, const TMenuItem& parent, bool ownerDraw);
// Takes every entry out of menu without destroying the sub-menus it shows.
void EmptyPlatformMenu(HMENU menu);

}  // namespace quonel
