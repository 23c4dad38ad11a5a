// Drawing one owner-drawn menu item from the skin: the popup's own
// background under it, the MenuItem object's frame (1 normal, 4 selected)
// or, for a separator, its frame 2, then the check mark or image, the
// caption (bold for the default item) and the shortcut at the right. The
// item is composed off screen and copied to the menu's DC in one blit.
#pragma once
#include <windows.h>

#include <string>

#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TSkinData;

struct MenuItemPaint {
  HDC dc = nullptr;
  RECT rect{};  // in dc's coordinates
  HFONT font = nullptr;
  const TSkinData* data = nullptr;
  std::wstring caption;   // "-" is a separator
  std::wstring shortcut;
  bool selected = false;
  bool enabled = true;
  bool checked = false;
  bool radio = false;
  bool isDefault = false;
  bool rightToLeft = false;
  // Images: a strip of imageWidth-wide cells on white; null without a list.
  const SkinBitmap* images = nullptr;
  int imageWidth = 0;
  int imageIndex = -1;
  // The open popup's painted background and where rect's top-left lies in it.
  const SkinBitmap* background = nullptr;
  POINT backgroundOffset{};
};

void PaintMenuItem(const MenuItemPaint& item);

// The default item's font: the given one in bold.
OwnedFont BoldFontOf(HFONT font);
// The menu font of the platform, with the GB2312 character set so that the
// program's Chinese texts show.
OwnedFont MenuFont();

}  // namespace quonel
