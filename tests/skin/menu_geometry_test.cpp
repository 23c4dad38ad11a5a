// The arithmetic of skinned menus: item sizes, the separator's source rows,
// where an item's parts go, the text colour, the menu bar's buttons, and the
// arrow keys of an open bar menu.
#include <gtest/gtest.h>

#include "skin/menus/menu_geometry.h"

namespace quonel {
namespace {

TEST(MenuItemMeasure, ToolkitSystemAndHandleItemsGetTheirExtraRoom) {
  EXPECT_EQ(50 + 19 + 10 + 25, MeasuredItemWidth(50, 19, false, false));
  EXPECT_EQ(50 + 19 + 10, MeasuredItemWidth(50, 19, true, false));
  EXPECT_EQ(50 + 19 + 12 + 23, MeasuredItemWidth(50, 19, false, true));
  EXPECT_EQ((ItemSize{40 + 26 + 19, 13 + 4}), MeasuredHandleItem(40, 13, 19, true));
  EXPECT_EQ((ItemSize{0 + 26 + 19, 8}), MeasuredHandleItem(0, 13, 19, false)) << "no text: exactly 8 high";
}

TEST(MenuItemMeasure, SeparatorRowsAreTheImagesBottomRowsAndNeverStartAboveItsTop) {
  EXPECT_EQ((SeparatorRows{10, 6}), SeparatorSourceRows(16, 6)) << "a taller image gives its bottom rows";
  EXPECT_EQ((SeparatorRows{0, 16}), SeparatorSourceRows(16, 20)) << "a shorter image is used whole, from row 0";
  EXPECT_EQ((SeparatorRows{}), SeparatorSourceRows(0, 8));
  EXPECT_TRUE(IsBlankMenuCaption(L""));
  EXPECT_TRUE(IsBlankMenuCaption(L"&"));
  EXPECT_FALSE(IsBlankMenuCaption(L"&A"));
}

TEST(MenuItemLayout, GlyphBoxCaptionAndShortcutFollowTheMarginAndMirror) {
  const Rect item{0, 0, 200, 20};
  MenuItemContent content = LayoutMenuItemContent(item, 19, 0, false, false);
  EXPECT_EQ((Rect{20, 1, 36, 17}), content.glyph) << "16 wide without a list, after 1 + the left margin";
  EXPECT_EQ(39, content.caption.left) << "3 pixels right of the box";
  EXPECT_EQ(199, content.caption.right) << "1 before the right edge";
  EXPECT_EQ(190, content.shortcut.right) << "the shortcut ends 10 before the right edge";
  EXPECT_EQ(24, LayoutMenuItemContent(item, 0, 24, true, false).glyph.Width()) << "the list's width";
  EXPECT_EQ(16, LayoutMenuItemContent(item, 0, 12, true, false).glyph.Width()) << "at least 16 when checked";

  content = LayoutMenuItemContent(item, 19, 0, false, true);
  EXPECT_EQ((Rect{164, 1, 180, 17}), content.glyph) << "right to left: mirrored";
  EXPECT_EQ(10, content.shortcut.left);
}

TEST(MenuItemColour, SelectedNormalAndDisabledWithTheShadowFallback) {
  const MenuTextColours colours{0xFFFFFF, 0x000000, 0xAAA8AC, 0x808080};
  EXPECT_EQ(0xFFFFFFu, MenuItemTextColour(true, true, colours));
  EXPECT_EQ(0x000000u, MenuItemTextColour(false, true, colours));
  EXPECT_EQ(0xAAA8ACu, MenuItemTextColour(true, false, colours)) << "disabled wins over selected";
  const MenuTextColours same{0xFFFFFF, 0x123456, 0x123456, 0x808080};
  EXPECT_EQ(0x808080u, MenuItemTextColour(false, false, same)) << "a shadow equal to the text: the platform's";
}

TEST(MenuBarLayout, ButtonsStartAfterTheMarginAndEmptyCaptionsTakeNoRoomNorHits) {
  const std::vector<MenuBarButtonText> texts{{30}, {0, true}, {20}, {25, false, false}, {10}};
  MenuBarFrame bar{300, 20, true, 1, 1, false};
  const std::vector<Rect> rects = LayoutMenuBar(bar, texts);
  ASSERT_EQ(5u, rects.size());
  EXPECT_EQ((Rect{5, 0, 45, 19}), rects[0]) << "x0 = left margin + 4, width = text + 10, height - 1";
  EXPECT_EQ(0, rects[1].Width());
  EXPECT_EQ((Rect{45, 0, 75, 19}), rects[2]);
  EXPECT_EQ((Rect{}), rects[3]) << "invisible";
  EXPECT_EQ(75, rects[4].left);
  EXPECT_EQ(0, MenuBarHitTest(rects, texts, 5, 0));
  EXPECT_EQ(-1, MenuBarHitTest(rects, texts, 45, 25)) << "below the bar";
  EXPECT_EQ(2, MenuBarHitTest(rects, texts, 45, 5)) << "the empty button at 45 is never hit";

  EXPECT_EQ(6, LayoutMenuBar({300, 20, false, 1, 1, false}, texts)[0].left) << "no menu-bar object: 6";
  EXPECT_EQ(12, LayoutMenuBar({3, 20, true, 1, 1, false}, texts)[0].left) << "narrower than x0: 12";
  const std::vector<Rect> mirrored = LayoutMenuBar({300, 20, true, 1, 2, true}, texts);
  EXPECT_EQ((Rect{250, 0, 290, 19}), mirrored[0]) << "right to left from width - (right margin + 8)";
}

TEST(MenuBarKeys, ArrowsSwitchCyclicallyOverButtonsThatCanOpen) {
  const std::vector<MenuBarButtonText> texts{{30}, {0, true}, {20}, {25, false, false}, {15, false, true, false}};
  EXPECT_EQ(0, CycleMenuBarButton(texts, 2, +1)) << "right from the last opens the first, past a leaf button";
  EXPECT_EQ(2, CycleMenuBarButton(texts, 0, -1)) << "left from the first opens the last with a menu";
  EXPECT_EQ(2, CycleMenuBarButton(texts, 0, +1)) << "the empty and the invisible are skipped";
  EXPECT_EQ(0, CycleMenuBarButton({{30}}, 0, +1)) << "alone: stays";

  const BarMenuSelection none{};
  const BarMenuSelection leaf{true, true, false};
  const BarMenuSelection parent{true, true, true};
  const BarMenuSelection inSubMenu{true, false, false};
  EXPECT_EQ(BarMenuKey::Next, ClassifyBarMenuKey(kKeyRight, false, none));
  EXPECT_EQ(BarMenuKey::Next, ClassifyBarMenuKey(kKeyRight, false, leaf));
  EXPECT_EQ(BarMenuKey::Pass, ClassifyBarMenuKey(kKeyRight, false, parent)) << "right opens the sub-menu";
  EXPECT_EQ(BarMenuKey::Previous, ClassifyBarMenuKey(kKeyLeft, false, leaf));
  EXPECT_EQ(BarMenuKey::Pass, ClassifyBarMenuKey(kKeyLeft, false, inSubMenu)) << "left closes the sub-menu";
  EXPECT_EQ(BarMenuKey::Previous, ClassifyBarMenuKey(kKeyRight, true, leaf)) << "exchanged right to left";
  EXPECT_EQ(BarMenuKey::EndSwitch, ClassifyBarMenuKey(kKeyEscape, false, leaf));
  EXPECT_EQ(BarMenuKey::Pass, ClassifyBarMenuKey('A', false, leaf));

  EXPECT_EQ(L'F', MenuMnemonic(L"&file")) << "Alt+f and Alt+F alike";
  EXPECT_EQ(L'X', MenuMnemonic(L"Save && e&xit")) << "a doubled ampersand is no mnemonic";
  EXPECT_EQ(0, MenuMnemonic(L"Trailing&"));
  EXPECT_EQ(0, MenuMnemonic(L"None"));
}

}  // namespace
}  // namespace quonel
