// The skinned system menu: an owner-drawn popup rebuilt from the window's
// system menu each time it is shown, with the skin's menu glyphs for
// restore, maximise, minimise and close, and the entries enabled as the
// window's placement and boxes allow. A chosen entry is the system command
// to post. The popup carries menu data 33333, by which the popup-menu skins
// know it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/liveness.h"
#include "core/win32_owners.h"

namespace quonel {

class TSkinData;

inline constexpr ULONG_PTR kSystemMenuTag = 33333;

struct SystemMenuEntry {
  UINT command = 0;  // 0 for a separator
  std::wstring text;  // "-" for a separator
  bool enabled = true;
  bool checked = false;
  bool isDefault = false;  // drawn bold
  int image = -1;  // cell of the glyph strip, -1 none
};

// What the entries depend on besides the system menu itself.
struct SystemMenuWindow {
  int placement = 0;  // 0 normal, 1 maximised, 2 minimised
  bool maximiseBox = false;
  bool minimiseBox = false;
  bool sizeable = false;
};

std::vector<SystemMenuEntry> SkinnedSystemMenuEntries(HMENU systemMenu, const SystemMenuWindow& window);

class SystemMenuPopup {
 public:
  // Shows the entries at the screen point and returns the chosen command,
  // 0 when the menu was dismissed or this popup was freed meanwhile. The
  // owner receives the measure and draw messages and passes them to Measure
  // and Draw.
  UINT Track(HWND owner, POINT screenPoint, const TSkinData& data, std::vector<SystemMenuEntry> entries);
  // True when the item was one of this popup's.
  bool Measure(MEASUREITEMSTRUCT& item) const;
  bool Draw(const DRAWITEMSTRUCT& item) const;
  bool Tracking() const { return menu_ != nullptr; }

 private:
  const SystemMenuEntry* EntryOf(UINT_PTR itemData) const;

  HMENU menu_ = nullptr;
  const TSkinData* data_ = nullptr;
  std::vector<SystemMenuEntry> entries_;
  OwnedFont font_;
  // Track watches it across the menu loop, which may free the popup's frame.
  TLiveness liveness_;
};

}  // namespace quonel
