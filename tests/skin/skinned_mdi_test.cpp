// MDI under the skin: an MDI parent's frame sees its children through the
// MDI client; while a child is maximised that child's own caption is hidden,
// its client area (and its controls) fill the MDI client's, the frame's menu
// bar shows the skin's MDI buttons, and its close button closes the child;
// restored, the child gets its caption and skinned frame back and the
// buttons go. From the keyboard, Alt+letter in a child opens the parent's
// bar menu and Alt+'-' the maximised child's system menu. The MDI client's
// scroll bars are the skin's with xoMDIScrollbar.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/controls/scrolling/skin_scrollbar.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_data_class.h"
#include "skin/frame/skin_form.h"
#include "skin/manager/skin_manage.h"
#include "skin/stored_blue_skin.h"
#include "support/popup_menu_watch.h"
#include "support/window_capture.h"
#include "support/window_driver.h"
#include "ui/application.h"
#include "ui/edit.h"
#include "ui/mdi_forms.h"
#include "ui/menu.h"
#include "ui/menu_item.h"

namespace quonel {
namespace {

constexpr int kWaitMs = 10000;

bool CaptionShown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }

// A window's rectangle in the coordinates of another window's capture.
RECT RectInWindow(RECT screen, HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  OffsetRect(&screen, -outer.left, -outer.top);
  return screen;
}

RECT ClientOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

// The parent repainted as a user would see it now.
testing::Capture CaptureRedrawn(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  testing::PumpMessages();
  return testing::CaptureWindow(window);
}

TEST(SkinnedMdi, AMaximisedChildHandsItsButtonsToTheParentsMenuBar) {
  TApplication application;
  application.Initialize();
  RegisterSkinDataClass();
  RegisterSkinManager();
  auto* parent = new TMDIParentForm(&application);
  auto* data = new TSkinData(parent);
  data->SetActive(true);
  data->SetOptions(data->Options() | SetBit(xoMDIScrollbar));
  data->ReadSkinStreamProperty(testing::StoredBlueSkin());
  data->Loaded();
  parent->SetBorderStyle(TFormBorderStyle::bsSizeable);
  // Small at first: the children do not fit, and the MDI client has scroll bars.
  parent->SetBounds(40, 40, 300, 200);
  auto* menu = new TMainMenu(parent);
  auto* file = new TMenuItem(parent);
  file->SetCaption(L"&File");
  menu->Items()->Add(file);
  auto* fileNew = new TMenuItem(parent);
  fileNew->SetCaption(L"&New");
  file->Add(fileNew);
  parent->SetMenu(menu);
  parent->Show();
  SetForegroundWindow(parent->Handle());
  TMDIChildForm* children[2] = {new TMDIChildForm(parent, *parent), new TMDIChildForm(parent, *parent)};
  for (TMDIChildForm* child : children) {
    child->SetBounds(10, 10, 240, 160);
    child->Show();
  }
  TEdit* edits[2] = {};
  for (int i = 0; i < 2; ++i) {
    edits[i] = new TEdit(children[i]);
    edits[i]->SetBounds(10, 10, 120, 21);
    edits[i]->SetParent(children[i]);
  }
  TEdit* edit = edits[1];
  TSkinManage& manager = *TSkinManage::Instance();
  TSkinForm* frame = nullptr;
  ASSERT_TRUE(testing::WaitFor([&] {
    frame = manager.FindForm(parent->Handle());
    return frame && frame->GetState() == TSkinForm::kReady && manager.FindForm(children[1]->Handle());
  }, kWaitMs));
  const SkinnedFrame& skinned = frame->Frame();
  ASSERT_NE(nullptr, skinned.MdiClient()) << "the frame found its MDI client";
  const HWND child = children[1]->Handle();

  {
    // With xoMDIScrollbar the skin's overlay lies over the MDI client's
    // platform bar, and goes with it when the parent grows round its children.
    const quonel::ChosenControlSkin* chosen = nullptr;
    for (const quonel::ChosenControlSkin& c : skinned.Controls())
      if (c.window == skinned.MdiClient()) chosen = &c;
    ASSERT_NE(nullptr, chosen);
    auto* bars = dynamic_cast<TSkinScrollbarH*>(chosen->Live());
    ASSERT_NE(nullptr, bars);
    ASSERT_TRUE(testing::WaitFor([&] { return bars->VerticalBar()->Shown(); }, kWaitMs));
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetScrollBarInfo(skinned.MdiClient(), OBJID_VSCROLL, &info));
    RECT placed{};
    GetWindowRect(bars->VerticalBar()->Handle(), &placed);
    EXPECT_TRUE(EqualRect(&placed, &info.rcScrollBar));
    testing::SaveCapture(CaptureRedrawn(parent->Handle()), "skinned_mdi_scroll_bars");
    parent->SetBounds(40, 40, 520, 380);
    EXPECT_TRUE(testing::WaitFor([&] { return !bars->VerticalBar()->Shown(); }, kWaitMs));
  }
  {
    // Alt+F typed in a child's edit, through the program's message loop:
    // the child's form passes the character on to the MDI frame's form,
    // whose skinned bar opens the File menu.
    int opened = -1;
    testing::PopupMenuWatch watch([&](HWND) {
      opened = skinned.MenuBar()->TrackedButton();
      EndMenu();
      return true;
    });
    PostMessageW(edit->Handle(), WM_SYSCHAR, 'f', 0x20000001);
    EXPECT_TRUE(testing::WaitFor([&] {
      application.ProcessMessages();
      return opened != -1 && skinned.MenuBar()->TrackedButton() < 0;
    }, kWaitMs));
    EXPECT_EQ(0, opened);
  }

  auto mdiButtons = [&] {
    std::vector<const TWinSysButton*> shown;
    for (const auto& button : skinned.Buttons())
      if (button->Skin().Visibility == 100 && button->enabled) shown.push_back(button.get());
    return shown;
  };
  SendMessageW(skinned.MdiClient(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  ASSERT_TRUE(testing::WaitFor([&] { return skinned.MdiChildMaximised() && !CaptionShown(child); }, kWaitMs));
  // However often the platform computes the child's frame again.
  SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  const testing::Capture maximised = CaptureRedrawn(parent->Handle());
  testing::SaveCapture(maximised, "skinned_mdi_maximised");
  {
    // The child's client area covers the MDI client's from its very corner:
    // the skin's face everywhere its edit is not, no workspace, no caption.
    const RECT area = RectInWindow(ClientOnScreen(skinned.MdiClient()), parent->Handle());
    const COLORREF face = data->Colours().ButtonFace;
    for (const POINT p : {POINT{area.left, area.top}, POINT{area.right - 1, area.top}, POINT{area.left, area.bottom - 1},
                          POINT{area.right - 1, area.bottom - 1}, POINT{(area.left + area.right) / 2,
                                                                       (area.top + area.bottom) / 2}})
      EXPECT_EQ(face, maximised.Pixel(p.x, p.y)) << "at " << p.x << "," << p.y;
    int workspace = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) workspace += maximised.Pixel(x, y) == GetSysColor(COLOR_APPWORKSPACE);
    EXPECT_EQ(0, workspace) << "pixels of the grey workspace left in the client area";
    RECT editBox{};
    GetWindowRect(edit->Handle(), &editBox);
    const RECT editAt = RectInWindow(editBox, parent->Handle());
    EXPECT_EQ(area.left + 10, editAt.left);
    EXPECT_EQ(area.top + 10, editAt.top);
    EXPECT_NE(face, maximised.Pixel((editAt.left + editAt.right) / 2, (editAt.top + editAt.bottom) / 2))
        << "the child's edit is drawn";
  }
  const std::vector<const TWinSysButton*> shown = mdiButtons();
  ASSERT_EQ(3u, shown.size()) << "minimise, restore and close of the maximised child";
  const int barTop = skinned.Borders().top, barBottom = barTop + skinned.MenuHeight();
  for (const TWinSysButton* button : shown) {
    EXPECT_GE(button->rect.top, barTop);
    EXPECT_LE(button->rect.bottom, barBottom) << "the buttons lie in the menu bar";
  }

  SendMessageW(skinned.MdiClient(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
  ASSERT_TRUE(testing::WaitFor([&] { return !skinned.MdiChildMaximised() && CaptionShown(child); }, kWaitMs));
  EXPECT_TRUE(mdiButtons().empty());
  {
    // The skin's borders frame the restored child again, and its caption
    // strip is the skin's, as the parent's is.
    const testing::Capture restored = CaptureRedrawn(parent->Handle());
    testing::SaveCapture(restored, "skinned_mdi_restored");
    const FrameBorders& borders = manager.FindForm(child)->Frame().Borders();
    RECT outer{};
    GetWindowRect(child, &outer);
    const RECT client = ClientOnScreen(child);
    EXPECT_EQ(borders.left, client.left - outer.left);
    EXPECT_EQ(borders.top, client.top - outer.top);
    EXPECT_EQ(240, outer.right - outer.left);
    EXPECT_EQ(160, outer.bottom - outer.top);
    const RECT at = RectInWindow(outer, parent->Handle());
    const int x = borders.left + 1, y = borders.top / 2;
    EXPECT_EQ(restored.Pixel(x, y), restored.Pixel(at.left + x, at.top + y));
  }

  // The close button of the bar closes the maximised child.
  SendMessageW(skinned.MdiClient(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  ASSERT_TRUE(testing::WaitFor([&] { return mdiButtons().size() == 3; }, kWaitMs));
  const TWinSysButton* close = nullptr;
  for (const TWinSysButton* button : mdiButtons())
    if (button->Setting().action == 9) close = button;
  ASSERT_NE(nullptr, close);
  RECT window{};
  GetWindowRect(parent->Handle(), &window);
  const LPARAM at = MAKELPARAM(window.left + (close->rect.left + close->rect.right) / 2,
                               window.top + (close->rect.top + close->rect.bottom) / 2);
  SendMessageW(parent->Handle(), WM_NCLBUTTONDOWN, HTMENU, at);
  SendMessageW(parent->Handle(), WM_NCLBUTTONUP, HTMENU, at);
  EXPECT_TRUE(testing::WaitFor([&] { return !IsWindow(child); }, kWaitMs));

  // The other child, maximised in its place, is restored from the keyboard:
  // Alt+'-' in its edit opens its system menu, Down selects the first
  // entry, Restore.
  const HWND other = children[0]->Handle();
  ASSERT_TRUE(testing::WaitFor([&] { return IsZoomed(other) && mdiButtons().size() == 3; }, kWaitMs));
  {
    testing::PopupMenuWatch watch([&](HWND popup) {
      if (!popup) return true;
      PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
      return true;
    });
    PostMessageW(edits[0]->Handle(), WM_SYSCHAR, '-', 0x20000001);
    EXPECT_TRUE(testing::WaitFor([&] {
      application.ProcessMessages();
      return !IsZoomed(other) && !skinned.MdiChildMaximised();
    }, kWaitMs));
  }
  EXPECT_TRUE(IsWindow(other));
  delete parent;
  FreeSkinManager();
}

}  // namespace
}  // namespace quonel
