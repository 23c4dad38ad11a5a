// The library's controls that skins and the gallery need beyond the
// wizard's: a scroll box scrolls its children within their extent, a radio
// group keeps one item checked, an extended combo box holds its items, a
// media player clicks only a button pressed and released over it, MDI
// forms make a client whose children close for good, and a page control
// shows the sheet of the tab clicked.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "ui/application.h"
#include "ui/button.h"
#include "ui/button_control.h"
#include "ui/combo_box.h"
#include "ui/mdi_forms.h"
#include "ui/media_player.h"
#include "ui/page_control.h"
#include "ui/radio_group.h"
#include "ui/scroll_controls.h"

namespace quonel {
namespace {

class GalleryControls : public ::testing::Test {
 protected:
  void SetUp() override {
    application.Initialize();
    form = new TForm(&application);
    form->SetBounds(0, 0, 400, 300);
    form->Handle();
  }
  void TearDown() override { delete form; }
  template <class T>
  T* Add(TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new T(form);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
  }

  TApplication application;
  TForm* form = nullptr;
};

TEST_F(GalleryControls, AScrollBoxMovesItsChildrenWithinTheirExtent) {
  auto* box = Add<TScrollBox>(form, 10, 10, 200, 100);
  auto* last = Add<TButton>(box, 0, 250, 80, 25);
  box->UpdateScrollRange();
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(box->Handle(), SB_VERT, &info));
  EXPECT_EQ(275, info.nMax) << "the range reaches the lowest child";
  for (int i = 0; i < 10; ++i) SendMessageW(box->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  GetScrollInfo(box->Handle(), SB_VERT, &info);
  const int bottom = info.nMax - static_cast<int>(info.nPage) + 1;
  EXPECT_EQ(bottom, info.nPos) << "paging stops at the end";
  EXPECT_EQ(250 - bottom, last->Top()) << "the children moved by what was scrolled";
  for (int i = 0; i < 10; ++i) SendMessageW(box->Handle(), WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(250, last->Top()) << "and back at the top, where it started";
}

TEST_F(GalleryControls, ARadioGroupKeepsOneItemCheckedAndACheckGroupMany) {
  auto* radios = Add<TRadioGroup>(form, 10, 10, 200, 100);
  radios->SetItems({L"a", L"b", L"c"});
  radios->SetItemIndex(2);
  radios->SetItemIndex(1);
  EXPECT_EQ(1, radios->ItemIndex());
  auto* checks = Add<TCheckGroup>(form, 10, 120, 200, 100);
  checks->SetItems({L"a", L"b", L"c"});
  checks->SetChecked(0, true);
  checks->SetChecked(2, true);
  EXPECT_TRUE(checks->Checked(0) && !checks->Checked(1) && checks->Checked(2));
  EXPECT_EQ(3, checks->ItemCount());
  EXPECT_GT(checks->Button(2)->Top(), checks->Button(0)->Top()) << "one column, top to bottom";
}

TEST_F(GalleryControls, AnExtendedComboBoxHoldsItsItems) {
  auto* combo = Add<TComboBoxEx>(form, 10, 10, 150, 21);
  combo->SetItems({L"one", L"two"});
  combo->SetItemIndex(1);
  EXPECT_EQ(2, SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0));
  EXPECT_EQ(1, combo->ItemIndex());
  EXPECT_NE(nullptr, combo->ComboWindow());
}

TEST_F(GalleryControls, AMediaPlayerClicksOnlyAnEnabledButtonPressedAndReleasedOverIt) {
  auto* player = Add<TMediaPlayer>(form, 10, 10, 90, 30);
  player->SetVisibleButtons(0b101);  // play and stop, 45 pixels each
  player->SetEnabledButtons(0b001);
  std::vector<TMPBtnType> clicks;
  player->OnClick = [&](TMPBtnType button) { clicks.push_back(button); };
  EXPECT_EQ(static_cast<int>(TMPBtnType::btStop), player->ButtonAt(50));
  auto click = [&](int down, int up) {
    SendMessageW(player->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down, 5));
    SendMessageW(player->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(up, 5));
  };
  click(10, 20);  // play
  click(10, 60);  // pressed on play, released on stop
  click(60, 60);  // stop is disabled
  EXPECT_EQ(std::vector<TMPBtnType>{TMPBtnType::btPlay}, clicks);
}

TEST_F(GalleryControls, MdiChildrenLiveInTheParentsClientAndCloseForGood) {
  TMDIParentForm parent(nullptr);
  parent.SetBounds(0, 0, 400, 300);
  parent.Handle();
  ASSERT_NE(nullptr, parent.ClientHandle());
  TMDIChildForm first(nullptr, parent), second(nullptr, parent);
  first.Show();
  second.Show();
  EXPECT_EQ(parent.ClientHandle(), GetParent(second.Handle()));
  EXPECT_TRUE(GetWindowLongPtrW(second.Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  EXPECT_EQ(second.Handle(), parent.ActiveChild());
  const HWND closed = second.Handle();
  SendMessageW(closed, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(closed));
  EXPECT_EQ(first.Handle(), parent.ActiveChild());
}

TEST_F(GalleryControls, APageControlShowsTheSheetOfTheTabClickedInItsDisplayArea) {
  auto* pages = Add<TPageControl>(form, 10, 10, 300, 200);
  TTabSheet* sheets[2] = {new TTabSheet(form), new TTabSheet(form)};
  sheets[0]->SetCaption(L"First");
  sheets[1]->SetCaption(L"Second");
  for (TTabSheet* sheet : sheets) sheet->SetPageControl(pages);
  // The form is never shown: a sheet's own visible style is what tells.
  auto shown = [](TWinControl* sheet) { return (GetWindowLongPtrW(sheet->Handle(), GWL_STYLE) & WS_VISIBLE) != 0; };
  int changes = 0;
  pages->OnChange = [&](TComponent*) { ++changes; };
  ASSERT_EQ(2, SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0)) << "a tab per sheet";
  EXPECT_TRUE(shown(sheets[0]));
  EXPECT_FALSE(shown(sheets[1]));

  // A click on the second tab, as the mouse gives it.
  RECT tab{};
  SendMessageW(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(sheets[1], pages->ActivePage());
  EXPECT_EQ(1, changes);
  EXPECT_FALSE(shown(sheets[0]));
  EXPECT_TRUE(shown(sheets[1]));
  RECT area{0, 0, 300, 200};
  SendMessageW(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  EXPECT_EQ(area.left, sheets[1]->Left());
  EXPECT_EQ(area.top, sheets[1]->Top());
  EXPECT_EQ(area.right - area.left, sheets[1]->Width()) << "the sheet fills the display area, under the tabs";

  delete sheets[0];
  EXPECT_EQ(1, SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0)) << "a sheet freed takes its tab along";
}

}  // namespace
}  // namespace quonel
