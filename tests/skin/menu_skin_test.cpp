// Menu items and popup menus drawn by the skin: the draw request of a
// skinned toolkit menu painted into a memory DC, and a popup menu opened on
// a skinned form taken over by a subclassed skin painting MenuBackground.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "skin/data/skin_data.h"
#include "skin/data/skin_data_class.h"
#include "skin/frame/skin_popup_menu.h"
#include "skin/manager/skin_manage.h"
#include "skin/frame/skinned_menu_items.h"
#include "skin/skin_messages.h"
#include "support/memory_dc.h"
#include "support/popup_menu_watch.h"
#include "skin/stored_blue_skin.h"
#include "support/test_paths.h"
#include "support/window_capture.h"
#include "support/window_driver.h"
#include "ui/application.h"
#include "ui/form.h"

namespace quonel {
namespace {

constexpr int kWidth = 200, kRow = 20;

bool IsDark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 160; }

int CountIn(const testing::MemoryDc& dc, int row, int left, int right, const std::function<bool(COLORREF)>& test) {
  int count = 0;
  for (int y = row * kRow; y < (row + 1) * kRow; ++y)
    for (int x = left; x < right; ++x) count += test(dc.Pixel(x, y)) ? 1 : 0;
  return count;
}

// How much darker than the same place of a text-free row a row's part is: the ink of its text.
long Ink(const testing::MemoryDc& dc, int row, int blankRow, int left, int right) {
  auto luma = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
  long ink = 0;
  for (int y = 0; y < kRow; ++y)
    for (int x = left; x < right; ++x)
      ink += std::max(0, luma(dc.Pixel(x, blankRow * kRow + y)) - luma(dc.Pixel(x, row * kRow + y)));
  return ink;
}

class MenuSkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    application.Initialize();
    RegisterSkinDataClass();
    RegisterSkinManager();
  }
  TMenuItem* Add(TMenu& menu, const std::wstring& caption) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    menu.Items()->Add(item);
    return item;
  }
  // Sends the platform's draw request for the item in row to the form.
  void Draw(TForm& form, TMenu& menu, TMenuItem& item, int row, HDC dc, UINT state = 0) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = item.Command();
    draw.itemState = state;
    draw.hwndItem = reinterpret_cast<HWND>(menu.Handle());
    draw.hDC = dc;
    draw.rcItem = {0, row * kRow, kWidth, (row + 1) * kRow};
    draw.itemData = item.Command();
    EXPECT_EQ(TRUE, SendMessageW(form.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
  }
  TApplication application;
};

TEST_F(MenuSkinTest, SkinnedItemsDrawFramesBoldDefaultsDisabledColourCheckMarksAndShortcuts) {
  auto* form = new TForm(&application);
  form->SetBounds(40, 40, 300, 200);
  form->Show();
  TSkinData data(nullptr);
  data.ReadSkinStreamProperty(testing::StoredBlueSkin());
  ASSERT_FALSE(data.Empty());
  TPopupMenu menu(form);
  TMenuItem* plain = Add(menu, L"Same");
  plain->SetShortCutText(L"Ctrl+N");
  TMenuItem* bold = Add(menu, L"Same");
  bold->SetDefault(true);
  TMenuItem* off = Add(menu, L"Same");
  off->SetEnabled(false);
  TMenuItem* checked = Add(menu, L"Same");
  TMenuItem* blank = Add(menu, L"&");
  checked->SetChecked(true);
  int ownDraws = 0;
  plain->OnDrawItem = [&](TMenuItem*, HDC, const RECT&, UINT) { ++ownDraws; };

  testing::MemoryDc dc(kWidth, kRow * 7);
  {
    TSkinnedMenu skinned(menu, data);
    EXPECT_TRUE(menu.OwnerDraw());
    Draw(*form, menu, *plain, 0, dc.Get());
    Draw(*form, menu, *plain, 1, dc.Get(), ODS_SELECTED);
    Draw(*form, menu, *bold, 2, dc.Get());
    Draw(*form, menu, *off, 3, dc.Get(), ODS_GRAYED);
    Draw(*form, menu, *checked, 4, dc.Get());
    Draw(*form, menu, *blank, 6, dc.Get());
  }
  EXPECT_EQ(0, ownDraws) << "the skin draws every item";

  // A form's menus: those tagged DisableTag keep the platform's look.
  TPopupMenu tagged(form);
  tagged.SetTag(data.DisableTag());
  Add(tagged, L"Kept");
  TMainMenu bar(form);
  Add(bar, L"&File");
  {
    auto skinnedMenus = SkinFormMenus(*form, data);
    EXPECT_TRUE(menu.OwnerDraw());
    EXPECT_TRUE(bar.OwnerDraw());
    EXPECT_FALSE(tagged.OwnerDraw());
    EXPECT_EQ(2u, skinnedMenus.size());
  }
  EXPECT_FALSE(bar.OwnerDraw());
  EXPECT_FALSE(menu.OwnerDraw()) << "the menu's own drawing comes back with the skin gone";
  Draw(*form, menu, *plain, 5, dc.Get());
  EXPECT_EQ(1, ownDraws);

  // A menu freed while the skin draws it (its items go with it) is not touched again.
  auto* gone = new TPopupMenu(form);
  Add(*gone, L"Gone");
  {
    TSkinnedMenu skinned(*gone, data);
    delete gone;
    EXPECT_EQ(nullptr, skinned.Menu());
  }

  testing::Capture picture{kWidth, kRow * 7, {}};
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const COLORREF c = dc.Pixel(x, y);
      picture.rgb.insert(picture.rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  testing::SaveCapture(picture, "skinned_menu_items");

  // Frame 1 normally, frame 4 selected: in the left margin's top rows the pixels are the strip's own.
  const TDataSkinObject& object = *data.Slot(SkinSlot::MenuItem);
  const int frameWidth = object.Image.Width() / 5;
  int compared = 0;
  for (int x = 0; x < object.Margins.left; ++x) {
    const TColor normal = object.Image.Pixel(x, 1), selected = object.Image.Pixel(3 * frameWidth + x, 1);
    if (normal == clMagenta || selected == clMagenta || normal == selected) continue;
    EXPECT_EQ(ColorToRGB(normal), dc.Pixel(x, 1)) << x;
    EXPECT_EQ(ColorToRGB(selected), dc.Pixel(x, kRow + 1)) << x;
    ++compared;
  }
  EXPECT_GT(compared, 0) << "the blue strip differs between its normal and selected frames";

  const int captionLeft = 1 + object.Margins.left + 16 + 3;
  const int normalInk = CountIn(dc, 0, captionLeft, captionLeft + 60, IsDark);
  EXPECT_GT(normalInk, 0);
  EXPECT_GT(Ink(dc, 2, 6, captionLeft, captionLeft + 60), Ink(dc, 0, 6, captionLeft, captionLeft + 60))
      << "the default item is bold";
  EXPECT_EQ(0, CountIn(dc, 3, 0, kWidth, IsDark)) << "no text colour on a disabled item";
  const COLORREF shadow = ColorToRGB(data.Colours().ButtonShadow);
  EXPECT_GT(CountIn(dc, 3, captionLeft, captionLeft + 60, [&](COLORREF c) { return c == shadow; }), 0);
  const int glyphLeft = 1 + object.Margins.left;
  EXPECT_EQ(0, CountIn(dc, 0, glyphLeft, glyphLeft + 16, IsDark));
  EXPECT_GT(CountIn(dc, 4, glyphLeft, glyphLeft + 16, IsDark), 6) << "the check mark";
  EXPECT_GT(CountIn(dc, 0, kWidth - 40, kWidth - 10, IsDark), 0) << "the shortcut at the right";
  EXPECT_EQ(0, CountIn(dc, 0, kWidth - 9, kWidth, IsDark)) << "ending 10 pixels before the edge";
  EXPECT_EQ(0, CountIn(dc, 2, kWidth - 40, kWidth, IsDark)) << "no shortcut, nothing at the right";
}

TEST_F(MenuSkinTest, APopupMenuOnASkinnedFormIsSubclassedAndPaintsTheMenuBackground) {
  auto* owner = new TForm(&application);
  owner->SetBounds(60, 60, 320, 220);
  owner->Show();
  auto* data = new TSkinData(owner);
  data->SetState(ComponentStateFlag::Loading, true);
  data->SetActive(true);
  data->ReadSkinStreamProperty(testing::StoredBlueSkin());
  data->Loaded();
  TSkinManage& manager = *TSkinManage::Instance();
  ASSERT_TRUE(testing::WaitFor([&] { return !manager.CommandScheduled(); }, 10000));
  ASSERT_TRUE(manager.Active());

  TPopupMenu menu(owner);
  TMenuItem* item = Add(menu, L"Item");
  Add(menu, L"Other");
  TSkinnedMenu skinned(menu, *data);
  int clicks = 0;
  item->OnClick = [&](TComponent*) { ++clicks; };

  const TDataSkinObject& background = *data->Slot(SkinSlot::MenuBackground);
  const COLORREF expected = ColorToRGB(background.Image.Pixel(1, 1));
  bool skinnedPopup = false, bound = false;
  COLORREF corner = 0;
  int looks = 0;
  testing::PopupMenuWatch watch([&](HWND popup) {
    if (popup) {
      skinnedPopup = SendMessageW(popup, SKM_ISSKINNED, 0, 0) == 1 && manager.IsSkinnedPopup(popup);
      bound = manager.FindPopup(menu.Handle()) != nullptr;
      // The screen shows the popup a little after it is painted: look again until it does.
      const testing::Capture capture = testing::CaptureWindow(popup);
      corner = capture.Pixel(1, 1);
      if (corner != expected && ++looks < 50) return false;
      testing::SaveCapture(capture, "skinned_popup_menu");
    }
    // Choose the first item, as a user would.
    PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    if (!popup) EndMenu();
    return true;
  });
  menu.Popup(100, 100);

  EXPECT_TRUE(skinnedPopup);
  EXPECT_TRUE(bound) << "the popup knows the menu it shows";
  EXPECT_EQ(expected, corner) << "the border comes from MenuBackground";
  EXPECT_EQ(1, clicks);
  EXPECT_TRUE(testing::WaitFor([&] { return manager.PopupCount() == 0; }, 10000)) << "freed with its window";
}

}  // namespace
}  // namespace quonel
