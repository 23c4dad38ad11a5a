// The skinned menu bar on a test form, called directly: it takes the
// window's menu, paints its buttons over the skin's menu-bar object, and
// while a drop-down is open the arrow keys move between the bar's menus.
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "skin/data/skin_data.h"
#include "skin/frame/skin_menu_bar.h"
#include "support/memory_dc.h"
#include "support/popup_menu_watch.h"
#include "skin/sample_menu_bar.h"
#include "skin/stored_blue_skin.h"
#include "support/test_paths.h"
#include "support/window_capture.h"
#include "support/window_driver.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace quonel {
namespace {

class MenuBarTest : public ::testing::Test, protected testing::SampleMenuItems {
 protected:
  void SetUp() override {
    application.Initialize();
    form = new TForm(&application);
    form->SetBounds(80, 80, 360, 220);
    static_cast<testing::SampleMenuItems&>(*this) = testing::AddSampleMenuBar(*form);
    form->Show();
    data.ReadSkinStreamProperty(testing::StoredBlueSkin());
  }

  TApplication application;
  TSkinData data{nullptr};
  TForm* form = nullptr;
};

TEST_F(MenuBarTest, TheBarTakesTheMenuAndPaintsButtonsOverTheSkinsMenuBarObject) {
  {
    TSkinMenuBar skinned(form->Handle(), &data, bar);
    EXPECT_EQ(nullptr, GetMenu(form->Handle())) << "the platform draws no bar";
    ASSERT_EQ(5u, skinned.Buttons().size());
    EXPECT_EQ(L"&Edit", skinned.Buttons()[1].caption);
    EXPECT_EQ(edit->Handle(), skinned.Buttons()[1].subMenu);
    EXPECT_EQ(nullptr, skinned.Buttons()[4].subMenu);

    const int height = skinned.Height();
    testing::MemoryDc dc(300, height);
    skinned.PaintBar(dc.Get(), {0, 0, 300, height}, true);
    testing::Capture picture{300, height, {}};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < 300; ++x) {
        const COLORREF c = dc.Pixel(x, y);
        picture.rgb.insert(picture.rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
      }
    testing::SaveCapture(picture, "skinned_menu_bar");

    const TDataSkinObject& object = *data.Slot(SkinSlot::MenuBar);
    EXPECT_EQ(ColorToRGB(object.Image.Pixel(0, 0)), dc.Pixel(0, 0)) << "the active frame's corner";
    const RECT first = skinned.Buttons()[0].rect;
    EXPECT_EQ(object.Margins.left + 4, first.left);
    int ink = 0;
    for (int y = first.top; y < first.bottom; ++y)
      for (int x = first.left; x < first.right; ++x) ink += dc.Pixel(x, y) == ColorToRGB(data.Colours().MenuBarText);
    EXPECT_GT(ink, 5) << "the caption in MenuBarText";
    EXPECT_EQ(skinned.Buttons()[2].rect.left, skinned.Buttons()[2].rect.right) << "an empty caption takes no room";
    EXPECT_EQ(0, skinned.HitTest({first.left + 2, first.top + 2}));
    EXPECT_NE(2, skinned.HitTest({skinned.Buttons()[2].rect.left, 2})) << "and is never hit";
  }
  EXPECT_EQ(bar->Handle(), GetMenu(form->Handle())) << "the window has its menu back";
}

TEST_F(MenuBarTest, ArrowKeysCycleThroughTheBarsMenusAndALeafIsClickedOnce) {
  TSkinMenuBar skinned(form->Handle(), &data, bar);
  skinned.PaintBar(WholeWindowDc(form->Handle()).Get(), {0, 0, 340, skinned.Height()}, true);
  int exits = 0, files = 0, opens = 0, goes = 0;
  exit->OnClick = [&](TComponent*) { ++exits; };
  file->OnClick = [&](TComponent*) { ++files; };
  open->OnClick = [&](TComponent*) { ++opens; };
  go->OnClick = [&](TComponent*) { ++goes; };

  std::vector<int> visited;
  testing::PopupMenuWatch watch([&](HWND popup) {
    if (!popup) {
      EndMenu();
      return true;
    }
    if (!visited.empty() && visited.back() == skinned.TrackedButton()) return false;
    visited.push_back(skinned.TrackedButton());
    if (visited.size() < 4) {
      PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
      return false;
    }
    PostMessageW(popup, WM_CHAR, 'x', 0);  // Exit's mnemonic
    return true;
  });
  skinned.OpenBarMenu(0);
  testing::PumpMessages();

  EXPECT_EQ((std::vector<int>{0, 1, 3, 0}), visited) << "right moves on, skips the empty button, cycles";
  EXPECT_EQ(-1, skinned.TrackedButton());
  EXPECT_EQ(1, exits);
  EXPECT_EQ(0, opens);
  EXPECT_EQ(0, files) << "opening a drop-down sends no command of its own";

  skinned.OpenBarMenu(4);
  testing::PumpMessages();
  EXPECT_EQ(1, goes) << "a button without drop-down runs its item";
}

TEST_F(MenuBarTest, ABarFreedWhileItsDropDownIsOpenIsNotTouchedWhenTheMenuCloses) {
  // The bar lives in storage the test poisons once it is freed, so that any
  // use after the free faults at once.
  alignas(TSkinMenuBar) unsigned char storage[sizeof(TSkinMenuBar)];
  // Known by its handle only: the skin draws the platform's drop-down items itself while open.
  auto* skinned = new (storage) TSkinMenuBar(form->Handle(), &data, nullptr);
  bool freed = false;
  testing::PopupMenuWatch watch([&](HWND) {
    skinned->~TSkinMenuBar();  // its window's skin goes while the menu is open
    std::memset(storage, 0xDD, sizeof storage);
    freed = true;
    EndMenu();
    return true;
  });
  skinned->OpenBarMenu(0);
  ASSERT_TRUE(freed);
  EXPECT_EQ(bar->Handle(), GetMenu(form->Handle())) << "the window has its menu back";
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoW(file->Handle(), 0, TRUE, &item));
  EXPECT_EQ(0u, item.fType & MFT_OWNERDRAW) << "the drop-down's items have their own look back";
}

}  // namespace
}  // namespace quonel
