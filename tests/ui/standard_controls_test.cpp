// The standard controls the wizard uses, their items and their events, and
// forms read from a layout text with the library's own classes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "support/memory_dc.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/image_list.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "core/stored_form_reader.h"

namespace quonel {
namespace {

class StandardControls : public ::testing::Test {
 protected:
  void SetUp() override {
    application.Initialize();
    form = new TForm(&application);
    form->SetBounds(0, 0, 400, 300);
    form->Handle();  // hidden: these tests need no screen
  }
  void TearDown() override { delete form; }
  template <class T>
  T* Add(int left, int top, int width, int height) {
    auto* control = new T(form);
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    return control;
  }

  TApplication application;
  TForm* form = nullptr;
};

TEST_F(StandardControls, ListBoxItemsSelectionAndClickSurviveARecreatedWindow) {
  auto* list = Add<TListBox>(10, 10, 200, 100);
  list->Items().Add(L"电信");
  list->Items().Add(L"网通");
  int clicks = 0;
  list->OnClick = [&](TComponent*) { ++clicks; };
  EXPECT_EQ(2, SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0));
  list->SetItemIndex(1);
  list->RecreateWnd();
  EXPECT_EQ(2, SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0));
  EXPECT_EQ(1, list->ItemIndex());
  // The user's choice arrives as LBN_SELCHANGE, reflected to the list box.
  SendMessageW(list->Handle(), LB_SETCURSEL, 0, 0);
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list->Handle()));
  EXPECT_EQ(1, clicks);
  EXPECT_EQ(0, list->ItemIndex());
  list->SetItemIndex(5);
  EXPECT_EQ(-1, list->ItemIndex()) << "a missing item selects nothing";
  list->Items().Clear();
  EXPECT_EQ(0, SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0));
}

TEST_F(StandardControls, MemoLinesAddAfterTheTextAndAnEntryEndingInCrLfLeavesAnEmptyLine) {
  auto* memo = Add<TMemo>(10, 10, 200, 100);
  memo->Lines().Add(L"连接远程文件：http://a/b");
  memo->Lines().Add(L"已中断下载;\r\n");
  EXPECT_EQ(L"连接远程文件：http://a/b\r\n已中断下载;\r\n\r\n", memo->Text());
  EXPECT_EQ(3, memo->Lines().Count());
  EXPECT_EQ(L"", memo->Lines().Get(2));
  memo->Lines().Delete(0);
  EXPECT_EQ(L"已中断下载;", memo->Lines().Get(0));
  EXPECT_THROW(memo->Lines().Get(9), EStringListError);
}

TEST_F(StandardControls, EditReportsChangesAndKeepsItsTextAcrossRecreation) {
  auto* edit = Add<TEdit>(10, 10, 200, 20);
  int changes = 0;
  edit->OnChange = [&](TComponent*) { ++changes; };
  edit->SetTextProperty(L"http://update.example/");
  EXPECT_EQ(1, changes);
  EXPECT_TRUE(GetWindowLongPtrW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  HWND sunken = edit->Handle();
  edit->SetCtl3D(false);  // a flat border needs a new window
  EXPECT_FALSE(IsWindow(sunken));
  EXPECT_FALSE(GetWindowLongPtrW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(L"http://update.example/", edit->Text());
}

TEST_F(StandardControls, ListViewRowsSubItemsAndStateImages) {
  auto* images = new TImageList(form);
  images->LoadStripFromRows(std::vector<std::wstring>(16, std::wstring(32, L'.')));
  auto* list = Add<TListView>(10, 10, 300, 150);
  for (const wchar_t* caption : {L"文件名", L"修改日期"}) {
    auto* column = new TListColumn(list);
    column->caption = caption;
    list->AddColumn(column);
  }
  list->SetStateImages(images);
  const int row = list->AddItem(L"client.exe");
  list->SetSubItem(row, 0, L"2026-12-01 10:00:00");
  list->SetStateIndex(row, 1);
  HWND window = list->Handle();
  wchar_t text[64] = {};
  LVITEMW item = {};
  item.iSubItem = 1;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(window, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(L"2026-12-01 10:00:00", text);
  EXPECT_EQ(static_cast<LRESULT>(INDEXTOSTATEIMAGEMASK(2)),
            SendMessageW(window, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
  list->SetStateIndex(row, -1);
  EXPECT_EQ(0, SendMessageW(window, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK)) << "-1 shows no image";
  EXPECT_THROW(list->SetSubItem(7, 0, L"x"), Exception);
  // The list forgets an image list that goes away.
  delete images;
  EXPECT_EQ(nullptr, list->StateImages());
  EXPECT_EQ(0, SendMessageW(window, LVM_GETIMAGELIST, LVSIL_STATE, 0));
}

TEST_F(StandardControls, ImageListRejectsRaggedOrUnknownPixelRows) {
  TImageList images(nullptr);
  std::vector<std::wstring> rows(16, std::wstring(16, L'.'));
  rows[3] = L"..K";
  EXPECT_THROW(images.LoadStripFromRows(rows), Exception);
  rows[3] = std::wstring(16, L'?');
  EXPECT_THROW(images.LoadStripFromRows(rows), Exception);
  EXPECT_THROW(images.LoadStripFromRows(std::vector<std::wstring>(15, std::wstring(16, L'.'))), Exception);
  EXPECT_THROW(images.LoadStripFromBmp("BM too short"), Exception);
  EXPECT_EQ(0, images.Count());
}

TEST_F(StandardControls, ClickingAWindowlessLabelRaisesItsClick) {
  auto* label = Add<TLabel>(20, 200, 80, 16);
  int clicks = 0;
  label->OnClick = [&](TComponent*) { ++clicks; };
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 205));
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 205));
  EXPECT_EQ(1, clicks);
  label->SetEnabled(false);
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 205));
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 205));
  EXPECT_EQ(1, clicks) << "a disabled label does not click";
}

TEST_F(StandardControls, AContainerFreedBeforeItsChildrenLeavesThemWithoutParent) {
  auto* panel = Add<TPanel>(0, 0, 200, 100);
  auto* button = new TButton(form);
  button->SetParent(panel);
  HWND window = button->Handle();
  delete panel;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(nullptr, button->Parent());
  EXPECT_FALSE(button->HandleAllocated());
  button->SetParent(form);  // and it can live on elsewhere
  EXPECT_TRUE(IsWindow(button->Handle()));
}

TEST_F(StandardControls, ReleaseFreesTheFormAfterTheMessageThatAskedForIt) {
  auto* other = new TForm(&application);
  other->Handle();
  const int forms = Screen().FormCount();
  other->Release();
  EXPECT_EQ(forms, Screen().FormCount()) << "not while the caller still runs";
  application.ProcessMessages();
  EXPECT_EQ(forms - 1, Screen().FormCount());
}

TEST_F(StandardControls, ALayoutTextBuildsControlsThatTakeTheFormsFontUnlessTheyHaveTheirOwn) {
  TForm stored(nullptr);
  ReadStoredComponent(stored, ParseStoredLayout(R"(
    Stored : TForm {
      Font.Name = "宋体"
      Font.Height = -12
      Font.Charset = GB2312_CHARSET
      BorderStyle = bsDialog
      BorderIcons = [biSystemMenu, biMinimize]
      ClientWidth = 200
      ClientHeight = 100
      plain : TButton { Caption = "下一步" }
      bold : TLabel { Font.Style = [fsBold] Font.Height = -16 }
      box : TPanel { inner : TEdit { Left = 3 } }
    })"), {});
  auto* plain = dynamic_cast<TButton*>(stored.FindComponent(L"plain"));
  auto* bold = dynamic_cast<TLabel*>(stored.FindComponent(L"bold"));
  auto* inner = dynamic_cast<TEdit*>(stored.FindComponent(L"inner"));
  ASSERT_TRUE(plain && bold && inner);
  EXPECT_EQ(L"宋体", plain->Font().Name());
  EXPECT_EQ(-12, inner->Font().Height()) << "through the panel";
  EXPECT_EQ(-16, bold->Font().Height());
  EXPECT_EQ(L"宋体", bold->Font().Name());
  stored.Font().SetHeight(-14);
  EXPECT_EQ(-14, plain->Font().Height()) << "parent font changes reach the children";
  EXPECT_EQ(-16, bold->Font().Height()) << "but not one with its own font";
  // A dialog border carries no minimise box, whatever the icons say.
  EXPECT_FALSE(GetWindowLongPtrW(stored.Handle(), GWL_STYLE) & WS_MINIMIZEBOX);
  RECT client;
  GetClientRect(stored.Handle(), &client);
  EXPECT_EQ(200, client.right);
  EXPECT_EQ(100, client.bottom);
}

}  // namespace
}  // namespace quonel
