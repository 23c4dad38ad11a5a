// MDI under the skin: an MDI parent's frame sees its children through the
// MDI client; while a child is maximised that child's own caption is hidden,
// the frame's menu bar shows the skin's MDI buttons, and its close button
// closes the child; restored, the child gets its caption back and the
// buttons go.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/data/skin_data.h"
#include "skin/data/skin_data_class.h"
#include "skin/frame/skin_form.h"
#include "skin/manager/skin_manage.h"
#include "skin/stored_blue_skin.h"
#include "support/window_capture.h"
#include "support/window_driver.h"
#include "ui/application.h"
#include "ui/mdi_forms.h"
#include "ui/menu.h"
#include "ui/menu_item.h"

namespace quonel {
namespace {

constexpr int kWaitMs = 10000;

bool CaptionShown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }

TEST(SkinnedMdi, AMaximisedChildHandsItsButtonsToTheParentsMenuBar) {
  TApplication application;
  application.Initialize();
  RegisterSkinDataClass();
  RegisterSkinManager();
  auto* parent = new TMDIParentForm(&application);
  auto* data = new TSkinData(parent);
  data->SetActive(true);
  data->ReadSkinStreamProperty(testing::StoredBlueSkin());
  data->Loaded();
  parent->SetBorderStyle(TFormBorderStyle::bsSizeable);
  parent->SetBounds(40, 40, 520, 380);
  auto* menu = new TMainMenu(parent);
  auto* file = new TMenuItem(parent);
  file->SetCaption(L"&File");
  menu->Items()->Add(file);
  parent->SetMenu(menu);
  parent->Show();
  SetForegroundWindow(parent->Handle());
  TMDIChildForm* children[2] = {new TMDIChildForm(parent, *parent), new TMDIChildForm(parent, *parent)};
  for (TMDIChildForm* child : children) {
    child->SetBounds(10, 10, 240, 160);
    child->Show();
  }
  TSkinManage& manager = *TSkinManage::Instance();
  TSkinForm* frame = nullptr;
  ASSERT_TRUE(testing::WaitFor([&] {
    frame = manager.FindForm(parent->Handle());
    return frame && frame->GetState() == TSkinForm::kReady && manager.FindForm(children[1]->Handle());
  }, kWaitMs));
  const SkinnedFrame& skinned = frame->Frame();
  ASSERT_NE(nullptr, skinned.MdiClient()) << "the frame found its MDI client";
  const HWND child = children[1]->Handle();

  auto mdiButtons = [&] {
    std::vector<const TWinSysButton*> shown;
    for (const auto& button : skinned.Buttons())
      if (button->Skin().Visibility == 100 && button->enabled) shown.push_back(button.get());
    return shown;
  };
  SendMessageW(skinned.MdiClient(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  ASSERT_TRUE(testing::WaitFor([&] { return skinned.MdiChildMaximised() && !CaptionShown(child); }, kWaitMs));
  RedrawWindow(parent->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  testing::PumpMessages();
  testing::SaveCapture(testing::CaptureWindow(parent->Handle()), "skinned_mdi_maximised");
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
  delete parent;
  FreeSkinManager();
}

}  // namespace
}  // namespace quonel
