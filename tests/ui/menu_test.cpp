// The control library's menus: the platform menu mirrors the items, a
// menu command reaches the item's OnClick once, and a form's menu bar
// survives its window.
#include <gtest/gtest.h>

#include <string>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace quonel {
namespace {

struct PlatformItem {
  std::wstring text;
  UINT type = 0, state = 0, id = 0;
  HMENU subMenu = nullptr;
};

PlatformItem ItemAt(HMENU menu, int position) {
  wchar_t text[128] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 127;
  GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  return {text, info.fType, info.fState, info.wID, info.hSubMenu};
}

TMenuItem* AddItem(TMenuItem& parent, const std::wstring& caption) {
  auto* item = new TMenuItem(parent.Owner());
  item->SetCaption(caption);
  parent.Add(item);
  return item;
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { application.Initialize(); }
  TApplication application;
};

TEST_F(MenuTest, ThePlatformMenuMirrorsCaptionsShortcutsStatesSeparatorsAndSubMenus) {
  TPopupMenu menu(nullptr);
  TMenuItem* open = AddItem(*menu.Items(), L"&Open");
  open->SetShortCutText(L"Ctrl+O");
  open->SetDefault(true);
  AddItem(*menu.Items(), L"-");
  TMenuItem* hidden = AddItem(*menu.Items(), L"Hidden");
  hidden->SetVisible(false);
  TMenuItem* recent = AddItem(*menu.Items(), L"Recent");
  TMenuItem* first = AddItem(*recent, L"One");
  first->SetEnabled(false);
  TMenuItem* a = AddItem(*recent, L"A");
  TMenuItem* b = AddItem(*recent, L"B");
  a->SetRadioItem(true);
  b->SetRadioItem(true);
  a->SetChecked(true);
  b->SetChecked(true);

  ASSERT_EQ(3, GetMenuItemCount(menu.Handle())) << "the invisible item is left out";
  PlatformItem item = ItemAt(menu.Handle(), 0);
  EXPECT_EQ(L"&Open\tCtrl+O", item.text);
  EXPECT_EQ(open->Command(), item.id);
  EXPECT_TRUE(item.state & MFS_DEFAULT);
  EXPECT_TRUE(ItemAt(menu.Handle(), 1).type & MFT_SEPARATOR);
  item = ItemAt(menu.Handle(), 2);
  ASSERT_NE(nullptr, item.subMenu);
  EXPECT_EQ(recent->Handle(), item.subMenu);
  EXPECT_TRUE(ItemAt(recent->Handle(), 0).state & MFS_GRAYED);
  EXPECT_FALSE(a->Checked()) << "one radio mark in a group";
  EXPECT_TRUE(ItemAt(recent->Handle(), 2).state & MFS_CHECKED);
  EXPECT_TRUE(ItemAt(recent->Handle(), 2).type & MFT_RADIOCHECK);

  menu.SetOwnerDraw(true);
  EXPECT_TRUE(ItemAt(menu.Handle(), 0).type & MFT_OWNERDRAW);
  EXPECT_TRUE(ItemAt(recent->Handle(), 1).type & MFT_OWNERDRAW) << "sub-items too";
  EXPECT_EQ(first, menu.FindItem(first->Command()));

  delete recent;
  EXPECT_EQ(2, GetMenuItemCount(menu.Handle())) << "a freed item leaves the menu";
  EXPECT_EQ(nullptr, TMenuItem::FindByCommand(first->Command() + 100000));
}

TEST_F(MenuTest, AMenuCommandClicksItsItemOnceAndTheBarOutlivesItsWindow) {
  auto* form = new TForm(&application);
  form->SetBounds(40, 40, 300, 200);
  auto* bar = new TMainMenu(form);
  TMenuItem* file = AddItem(*bar->Items(), L"&File");
  TMenuItem* exit = AddItem(*file, L"E&xit");
  TMenuItem* off = AddItem(*file, L"Off");
  off->SetEnabled(false);
  int exits = 0, offs = 0;
  exit->OnClick = [&](TComponent* sender) {
    EXPECT_EQ(exit, sender);
    ++exits;
  };
  off->OnClick = [&](TComponent*) { ++offs; };
  form->SetMenu(bar);
  form->Show();
  EXPECT_EQ(bar->Handle(), GetMenu(form->Handle()));

  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(exit->Command(), 0), 0);
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(off->Command(), 0), 0);
  EXPECT_EQ(1, exits);
  EXPECT_EQ(0, offs) << "a disabled item does not run";

  const HMENU handle = bar->Handle();
  form->DestroyHandle();
  EXPECT_TRUE(IsMenu(handle)) << "the window's end must not destroy the form's menu";
  EXPECT_EQ(1, GetMenuItemCount(handle));
  delete form;
}

}  // namespace
}  // namespace quonel
