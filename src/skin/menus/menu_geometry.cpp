#include "skin/menus/menu_geometry.h"

#include <algorithm>
#include <cwctype>

namespace quonel {

int MeasuredItemWidth(int ownWidth, int leftMargin, bool hasImageList, bool systemMenu) {
  int width = ownWidth + leftMargin + (systemMenu ? 12 : 10);
  if (!hasImageList) width += systemMenu ? 23 : 25;
  return width;
}

ItemSize MeasuredHandleItem(int captionWidth, int textHeight, int leftMargin, bool hasText) {
  return {captionWidth + 26 + leftMargin, hasText ? textHeight + 4 : 8};
}

bool IsBlankMenuCaption(const std::wstring& caption) { return caption.empty() || caption == L"&"; }

SeparatorRows SeparatorSourceRows(int imageHeight, int itemHeight) {
  if (imageHeight <= 0 || itemHeight <= 0) return {};
  const int top = std::max(0, imageHeight - itemHeight);
  return {top, imageHeight - top};
}

MenuItemContent LayoutMenuItemContent(const Rect& item, int leftMargin, int imageWidth, bool checked,
                                      bool rightToLeft) {
  int box = imageWidth > 0 ? imageWidth : 16;
  if (checked) box = std::max(box, 16);
  MenuItemContent content;
  const int glyphLeft = item.left + 1 + leftMargin;
  content.glyph = {glyphLeft, item.top + 1, glyphLeft + box, std::min(item.bottom, item.top + 1 + box)};
  content.caption = {content.glyph.right + 3, item.top, std::max(content.glyph.right + 3, item.right - 1),
                     item.bottom};
  content.shortcut = {content.caption.left, item.top, std::max(content.caption.left, item.right - 10), item.bottom};
  if (rightToLeft) {
    // Mirrored inside the item.
    auto mirror = [&](Rect& r) {
      const int left = item.left + item.right - r.right;
      r.right = item.left + item.right - r.left;
      r.left = left;
    };
    mirror(content.glyph);
    mirror(content.caption);
    mirror(content.shortcut);
  }
  return content;
}

unsigned MenuItemTextColour(bool selected, bool enabled, const MenuTextColours& colours) {
  if (!enabled) return colours.buttonShadow == colours.menuText ? colours.systemShadow : colours.buttonShadow;
  return selected ? colours.hilightText : colours.menuText;
}

std::vector<Rect> LayoutMenuBar(const MenuBarFrame& bar, const std::vector<MenuBarButtonText>& buttons) {
  int x0 = 6;
  if (bar.skinned) {
    x0 = bar.rightToLeft ? bar.rightMargin + 8 : bar.leftMargin + 4;
    if (bar.width < x0) x0 = 12;
  }
  std::vector<Rect> rects;
  rects.reserve(buttons.size());
  int x = bar.rightToLeft ? bar.width - x0 : x0;
  for (const MenuBarButtonText& button : buttons) {
    if (!button.visible) {
      rects.push_back({});
      continue;
    }
    const int width = button.empty ? 0 : button.textWidth + 10;
    if (bar.rightToLeft) {
      rects.push_back({x - width, 0, x, bar.height - 1});
      x -= width;
    } else {
      rects.push_back({x, 0, x + width, bar.height - 1});
      x += width;
    }
  }
  return rects;
}

int MenuBarHitTest(const std::vector<Rect>& buttons, const std::vector<MenuBarButtonText>& texts, int x, int y) {
  for (size_t i = 0; i < buttons.size() && i < texts.size(); ++i) {
    const Rect& r = buttons[i];
    if (texts[i].empty || !texts[i].visible) continue;
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
  }
  return -1;
}

int CycleMenuBarButton(const std::vector<MenuBarButtonText>& texts, int current, int step) {
  const int count = static_cast<int>(texts.size());
  if (count == 0) return current;
  int index = current;
  for (int tries = 0; tries < count; ++tries) {
    index = ((index + step) % count + count) % count;
    if (index == current) break;
    const MenuBarButtonText& text = texts[static_cast<size_t>(index)];
    if (text.visible && !text.empty && text.dropDown) return index;
  }
  return current;
}

wchar_t MenuMnemonic(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(caption[i + 1])));
  }
  return 0;
}

BarMenuKey ClassifyBarMenuKey(int key, bool rightToLeft, const BarMenuSelection& selection) {
  if (rightToLeft && (key == kKeyLeft || key == kKeyRight)) key = key == kKeyLeft ? kKeyRight : kKeyLeft;
  switch (key) {
    case kKeyReturn:
    case kKeyEscape: return BarMenuKey::EndSwitch;
    case kKeyLeft: return !selection.any || selection.inDropDown ? BarMenuKey::Previous : BarMenuKey::Pass;
    case kKeyRight: return !selection.any || !selection.hasSubMenu ? BarMenuKey::Next : BarMenuKey::Pass;
    default: return BarMenuKey::Pass;
  }
}

}  // namespace quonel
