// The arithmetic of skinned menus: how owner-drawn items are measured and
// laid out, where the menu bar's buttons go and which one a point hits, and
// what an arrow key does while a bar menu is open. Pure functions, shared by
// the painters, the hit test and the keyboard filter.
#pragma once
#include <string>
#include <vector>

#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

// Width of an item of the library's menus: its own width, then the
// MenuItem object's left margin and room for the check column and the gap
// before the shortcut (more without an image list; the system menu's items
// get 12 and 23 instead of 10 and 25).
int MeasuredItemWidth(int ownWidth, int leftMargin, bool hasImageList, bool systemMenu);

struct ItemSize {
  int width = 0;
  int height = 0;
  bool operator==(const ItemSize&) const = default;
};
// An item known only by its handle (system commands, identifier 0).
ItemSize MeasuredHandleItem(int captionWidth, int textHeight, int leftMargin, bool hasText);

// An empty caption or a lone "&" draws as a blank.
bool IsBlankMenuCaption(const std::wstring& caption);

// The rows of the MenuItem image a separator is cut from: the bottom rows
// when the image is taller than the item, never above its first row.
struct SeparatorRows {
  int top = 0;
  int height = 0;
  bool operator==(const SeparatorRows&) const = default;
};
SeparatorRows SeparatorSourceRows(int imageHeight, int itemHeight);

struct MenuItemContent {
  Rect glyph;     // check mark or image
  Rect caption;   // left-aligned text
  Rect shortcut;  // right-aligned text
};
// imageWidth: the image list's width, 0 without a list.
MenuItemContent LayoutMenuItemContent(const Rect& item, int leftMargin, int imageWidth, bool checked,
                                      bool rightToLeft);

struct MenuTextColours {
  unsigned hilightText = 0, menuText = 0, buttonShadow = 0;
  unsigned systemShadow = 0;  // the platform's button shadow
};
// Disabled items take ButtonShadow, or the platform's shadow when the skin
// made ButtonShadow equal to MenuText (the text would not look disabled).
unsigned MenuItemTextColour(bool selected, bool enabled, const MenuTextColours& colours);

// The menu bar: one button per top-level item.
struct MenuBarButtonText {
  int textWidth = 0;
  bool empty = false;    // no caption: no width, never hit
  bool visible = true;   // invisible items get an empty rectangle
  bool dropDown = true;  // it opens a menu (else its item runs when opened)
};
struct MenuBarFrame {
  int width = 0;
  int height = 0;
  bool skinned = false;  // the skin has a menu-bar object
  int leftMargin = 0;    // of that object
  int rightMargin = 0;
  bool rightToLeft = false;
};
// Button rectangles relative to the bar's top-left.
std::vector<Rect> LayoutMenuBar(const MenuBarFrame& bar, const std::vector<MenuBarButtonText>& buttons);
// The index of the button under the point (bar coordinates), -1 for none.
int MenuBarHitTest(const std::vector<Rect>& buttons, const std::vector<MenuBarButtonText>& texts, int x, int y);
// The next button from current in direction step (+1, -1) that opens a
// menu, cycling at the ends; current when there is no other. Moving through
// the bar never runs the command of a button without drop-down.
int CycleMenuBarButton(const std::vector<MenuBarButtonText>& texts, int current, int step);

// The key of a caption's mnemonic (the letter after a single "&"), upper
// case; 0 when it has none ("&&" is a plain ampersand).
wchar_t MenuMnemonic(const std::wstring& caption);

// What a key pressed in an open bar menu does.
enum class BarMenuKey { Pass, Previous, Next, EndSwitch };
struct BarMenuSelection {
  bool any = false;           // an item is selected
  bool inDropDown = false;    // ... of the bar's drop-down itself, not of a sub-menu
  bool hasSubMenu = false;    // ... and it opens a sub-menu
};
constexpr int kKeyReturn = 0x0D, kKeyEscape = 0x1B, kKeyLeft = 0x25, kKeyRight = 0x27;
BarMenuKey ClassifyBarMenuKey(int key, bool rightToLeft, const BarMenuSelection& selection);

}  // namespace quonel
