// A form with a menu bar skinned through the real manager and frame: the bar
// drawn in the frame's band under the caption, opened from the keyboard with
// the arrow keys moving between its menus, its items clicked with the mouse,
// and the window's own menu back when the skin goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/data/skin_data.h"
#include "skin/data/skin_data_class.h"
#include "skin/frame/skin_form.h"
#include "skin/manager/skin_manage.h"
#include "skin/skin_messages.h"
#include "support/popup_menu_watch.h"
#include "skin/sample_menu_bar.h"
#include "skin/stored_blue_skin.h"
#include "support/test_paths.h"
#include "support/window_capture.h"
#include "support/window_driver.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/window_subclass.h"

namespace quonel {
namespace {

// A click of the left button where the pointer is, as the hardware gives it.
void ClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT press[2]{};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, press, sizeof(INPUT));
}

class SkinnedMenuBarForm : public ::testing::Test, protected testing::SampleMenuItems {
 protected:
  void SetUp() override {
    application.Initialize();
    RegisterSkinDataClass();
    RegisterSkinManager();
    form = new TForm(&application);
    form->SetBounds(80, 80, 360, 240);
    static_cast<testing::SampleMenuItems&>(*this) = testing::AddSampleMenuBar(*form);
    data = new TSkinData(form);
    data->SetState(ComponentStateFlag::Loading, true);
    data->SetActive(true);
    data->ReadSkinStreamProperty(testing::StoredBlueSkin());
    data->Loaded();
    GetClientRect(form->Handle(), &clientBefore);
    // The manager takes the form when it is first activated.
    form->Show();
    SetForegroundWindow(form->Handle());
    TSkinManage& manager = *TSkinManage::Instance();
    ASSERT_TRUE(testing::WaitFor(
        [&] {
          frame = manager.FindForm(form->Handle());
          return frame && frame->GetState() == TSkinForm::kReady && !manager.CommandScheduled();
        },
        10000));
    ASSERT_NE(nullptr, frame->Frame().MenuBar());
  }
  HWND Window() const { return form->Handle(); }
  // The screen point of a bar button's inside.
  POINT InButton(int index) const {
    RECT window{};
    GetWindowRect(Window(), &window);
    const RECT& r = frame->Frame().MenuBar()->Buttons()[static_cast<size_t>(index)].rect;
    return {window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2};
  }

  TApplication application;
  TForm* form = nullptr;
  TSkinData* data = nullptr;
  TSkinForm* frame = nullptr;
  RECT clientBefore{};
};

TEST_F(SkinnedMenuBarForm, TheBarIsDrawnInTheFramesBandAndTheWindowGetsItsMenuBackWhenTheSkinGoes) {
  const SkinnedFrame& skinned = frame->Frame();
  const FrameBorders& b = skinned.Borders();
  EXPECT_EQ(nullptr, GetMenu(Window())) << "the platform draws no bar";
  EXPECT_GT(skinned.MenuHeight(), 0);
  RECT client{}, window{};
  GetClientRect(Window(), &client);
  GetWindowRect(Window(), &window);
  EXPECT_EQ(clientBefore.right, client.right) << "the client area keeps its size";
  EXPECT_EQ(clientBefore.bottom, client.bottom);
  POINT origin{0, 0};
  ClientToScreen(Window(), &origin);
  EXPECT_EQ(b.top + skinned.MenuHeight(), origin.y - window.top) << "the client area starts under the band";
  EXPECT_EQ(HTMENU, SendMessageW(Window(), WM_NCHITTEST, 0, MAKELPARAM(InButton(0).x, InButton(0).y)));

  const TDataSkinObject& object = *data->Slot(SkinSlot::MenuBar);
  const TMenuBtn& first = skinned.MenuBar()->Buttons()[0];
  EXPECT_EQ(b.left + object.Margins.left + 4, first.rect.left) << "the buttons start after the bar's margin";
  EXPECT_EQ(b.top, first.rect.top);
  ASSERT_TRUE(skinned.Active());
  const COLORREF corner = ColorToRGB(object.Image.Pixel(0, 0));
  ASSERT_NE(ColorToRGB(data->Colours().ButtonFace), corner) << "the band's fill would not tell";
  testing::Capture capture;
  EXPECT_TRUE(testing::WaitFor(
      [&] {
        capture = testing::CaptureWindow(Window());
        return capture.Pixel(b.left, b.top) == corner;
      },
      5000))
      << "the band's corner from the active frame of the menu-bar object";
  testing::SaveCapture(capture, "skinned_form_menu_bar");
  int ink = 0;
  for (int y = first.rect.top; y < first.rect.bottom; ++y)
    for (int x = first.rect.left; x < first.rect.right; ++x)
      ink += capture.Pixel(x, y) == ColorToRGB(data->Colours().MenuBarText);
  EXPECT_GT(ink, 5) << "the first button's caption in MenuBarText";

  // A caption changed while skinned reaches the bar.
  file->SetCaption(L"&Files");
  EXPECT_TRUE(testing::WaitFor([&] { return skinned.MenuBar()->Buttons()[0].caption == L"&Files"; }, 5000));

  frame->DetachWindow();
  EXPECT_EQ(bar->Handle(), GetMenu(Window())) << "the window shows its own menu again";
  GetClientRect(Window(), &client);
  EXPECT_EQ(clientBefore.right, client.right) << "around the same client area";
  EXPECT_EQ(clientBefore.bottom, client.bottom);
}

TEST_F(SkinnedMenuBarForm, AWindowClosedWhileSkinnedLeavesTheFormsMenuAlive) {
  // The platform destroys the menu a dying window shows: the bar must not
  // hand it back then.
  form->DestroyHandle();
  EXPECT_TRUE(IsMenu(bar->Handle()));
  EXPECT_TRUE(IsMenu(file->Handle()));
}

TEST_F(SkinnedMenuBarForm, F10OpensTheFirstMenuTheArrowsMoveOnAndAltLetterOpensItsMenu) {
  TSkinMenuBar& menuBar = *frame->Frame().MenuBar();
  std::vector<int> visited;
  // Each newly tracked menu gets the next key; the last ends the menus.
  auto drive = [&](std::vector<WPARAM> keys) {
    return testing::PopupMenuWatch([&, keys](HWND popup) {
      if (!popup) {
        EndMenu();
        return true;
      }
      const int tracked = menuBar.TrackedButton();
      if (tracked < 0 || (!visited.empty() && visited.back() == tracked)) return false;
      visited.push_back(tracked);
      const size_t next = visited.size() - 1;
      PostMessageW(popup, WM_KEYDOWN, next < keys.size() ? keys[next] : VK_ESCAPE, 0);
      return next + 1 >= keys.size();
    });
  };
  {
    auto watch = drive({VK_RIGHT, VK_RIGHT, VK_LEFT, VK_ESCAPE});
    // F10 pressed and released, as the keyboard delivers it.
    PostMessageW(Window(), WM_SYSKEYDOWN, VK_F10, 1);
    PostMessageW(Window(), WM_SYSKEYUP, VK_F10, 0xC0000001);
    EXPECT_TRUE(testing::WaitFor([&] { return visited.size() == 4 && menuBar.TrackedButton() < 0; }, 10000));
  }
  EXPECT_EQ((std::vector<int>{0, 1, 3, 1}), visited) << "right skips the empty and the leaf button, left goes back";

  visited.clear();
  {
    auto watch = drive({VK_ESCAPE});
    // Alt+H: the platform turns the system character into the keyboard's menu command.
    PostMessageW(Window(), WM_SYSCHAR, 'h', 0x20000001);
    EXPECT_TRUE(testing::WaitFor([&] { return visited.size() == 1 && menuBar.TrackedButton() < 0; }, 10000));
  }
  EXPECT_EQ((std::vector<int>{3}), visited) << "Help, by its mnemonic";
}

TEST_F(SkinnedMenuBarForm, AClickOnALeafItemRunsItsOnClickOnce) {
  int exits = 0, opens = 0, files = 0, goes = 0;
  exit->OnClick = [&](TComponent*) { ++exits; };
  open->OnClick = [&](TComponent*) { ++opens; };
  file->OnClick = [&](TComponent*) { ++files; };
  go->OnClick = [&](TComponent*) { ++goes; };

  bool clicked = false;
  int looks = 0;
  const COLORREF popupCorner = ColorToRGB(data->Slot(SkinSlot::MenuBackground)->Image.Pixel(1, 1));
  testing::PopupMenuWatch watch([&](HWND popup) {
    if (!popup) {
      EndMenu();
      return true;
    }
    RECT item{};
    if (!GetMenuItemRect(nullptr, file->Handle(), 1, &item) || IsRectEmpty(&item)) return false;
    // The form and its open drop-down as the user sees them, once the screen shows the popup.
    if (testing::CaptureWindow(popup).Pixel(1, 1) != popupCorner && ++looks < 50) return false;
    RECT formBox{}, popupBox{}, both{};
    GetWindowRect(Window(), &formBox);
    GetWindowRect(popup, &popupBox);
    UnionRect(&both, &formBox, &popupBox);
    const testing::Capture screen = testing::CaptureWindow(GetDesktopWindow());
    testing::Capture view{both.right - both.left, both.bottom - both.top, {}};
    for (int y = both.top; y < both.bottom; ++y)
      for (int x = both.left; x < both.right; ++x) {
        const COLORREF c = screen.Pixel(x, y);
        view.rgb.insert(view.rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
      }
    testing::SaveCapture(view, "skinned_form_menu_open");
    ClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    clicked = true;
    return true;
  });
  // The mouse pressed on the bar's first button.
  const POINT fileButton = InButton(0);
  SendMessageW(Window(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(fileButton.x, fileButton.y));
  testing::PumpMessages();
  EXPECT_TRUE(clicked);
  EXPECT_EQ(1, exits);
  EXPECT_EQ(0, opens);
  EXPECT_EQ(0, files) << "opening the drop-down runs nothing";

  // A button without drop-down runs its item, here through the frame's own message.
  const POINT goButton = InButton(4);
  SendMessageW(Window(), SKM_MENUCLICK, 0, MAKELPARAM(goButton.x, goButton.y));
  testing::PumpMessages();
  EXPECT_EQ(1, goes);
  EXPECT_EQ(1, exits);
  SetCursorPos(0, 0);
}

// A window of no form with a menu the platform built: its drop-down is drawn
// by the skin while open, and its items are the program's own again after.
int bareCommands = 0;
UINT bareCommand = 0;
LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    ++bareCommands;
    bareCommand = LOWORD(wParam);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(SkinnedMenuBarForm, APlatformMenusDropDownIsDrawnByTheSkinOnlyWhileItIsOpen) {
  WNDCLASSW kind{};
  kind.lpfnWndProc = BareWindowProc;
  kind.hInstance = GetModuleHandleW(nullptr);
  kind.lpszClassName = L"QuonelBareMenuWindow";
  RegisterClassW(&kind);
  HMENU menu = CreateMenu();
  HMENU tools = CreatePopupMenu();
  AppendMenuW(tools, MF_STRING, 101, L"&Run\tF5");
  AppendMenuW(tools, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(tools, MF_STRING | MF_GRAYED, 102, L"&Stop");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), L"&Tools");
  HWND window = CreateWindowExW(0, kind.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW, 480, 120, 300, 200, nullptr,
                                menu, kind.hInstance, nullptr);
  ASSERT_NE(nullptr, window);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  TSkinManage& manager = *TSkinManage::Instance();
  TSkinForm* bare = nullptr;
  ASSERT_TRUE(testing::WaitFor(
      [&] {
        bare = manager.FindForm(window);
        return bare && bare->GetState() == TSkinForm::kReady && GetForegroundWindow() == window;
      },
      10000));
  ASSERT_NE(nullptr, bare->Frame().MenuBar());
  testing::PumpMessages();

  const TDataSkinObject& item = *data->Slot(SkinSlot::MenuItem);
  const int frameWidth = item.Image.Width() / 5;
  bool ownerDrawnWhileOpen = false;
  int compared = 0, looks = 0;
  testing::PopupMenuWatch watch([&](HWND popup) {
    if (!popup) {
      EndMenu();
      return true;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(tools, 0, TRUE, &info);
    ownerDrawnWhileOpen = (info.fType & MFT_OWNERDRAW) != 0;
    // The first item, selected as the menu opens, in the MenuItem object's
    // selected frame: its left margin's second row somewhere in the popup.
    const testing::Capture capture = testing::CaptureWindow(popup);
    std::vector<std::pair<int, COLORREF>> wanted;
    for (int x = 0; x < item.Margins.left; ++x) {
      const TColor selected = item.Image.Pixel(3 * frameWidth + x, 1);
      if (selected != clMagenta && selected != item.Image.Pixel(x, 1)) wanted.emplace_back(x, ColorToRGB(selected));
    }
    compared = static_cast<int>(wanted.size());
    bool same = false;
    for (int y = 0; y < capture.height && !same; ++y)
      for (int x = 0; x + item.Margins.left <= capture.width && !same; ++x)
        same = std::all_of(wanted.begin(), wanted.end(),
                           [&](const auto& p) { return capture.Pixel(x + p.first, y) == p.second; });
    if (!same && ++looks < 50) return false;
    testing::SaveCapture(capture, "skinned_platform_drop_down");
    EXPECT_TRUE(same) << "the selected item from MenuItem's frame 4";
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    return true;
  });
  // Alt+T, the mnemonic of the bar's only button.
  PostMessageW(window, WM_SYSCHAR, 't', 0x20000001);
  EXPECT_TRUE(testing::WaitFor([&] { return bareCommands == 1; }, 10000));
  EXPECT_EQ(101u, bareCommand) << "Enter ran the selected item";
  EXPECT_TRUE(ownerDrawnWhileOpen);
  EXPECT_GT(compared, 0) << "the blue strip's selected frame differs from its normal one";

  MENUITEMINFOW after{};
  after.cbSize = sizeof after;
  after.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(tools, 0, TRUE, &after);
  EXPECT_EQ(0u, after.fType & MFT_OWNERDRAW) << "the program's own item again";
  wchar_t text[32] = {};
  GetMenuStringW(tools, 0, text, 32, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(L"&Run\tF5"), text);
  DestroyWindow(window);
  EXPECT_FALSE(IsMenu(menu)) << "the window took its menu with it, as without the skin";
  UnregisterClassW(kind.lpszClassName, kind.hInstance);
}

TEST_F(SkinnedMenuBarForm, AnAltCharacterTheFormLeavesUnhandledOpensTheMenuOfItsAcceleratorWithoutNotifications) {
  int opened = -1;
  testing::PopupMenuWatch watch([&](HWND) {
    opened = frame->Frame().MenuBar()->TrackedButton();
    EndMenu();
    return true;
  });
  // The bar tracks its drop-downs itself: the window is not told a menu loop
  // starts or a popup opens.
  int notifications = 0;
  TWindowSubclass listener([&](TWindowSubclass& link, TMessage& m) {
    notifications += m.Msg == WM_INITMENUPOPUP || m.Msg == WM_ENTERMENULOOP;
    link.CallNext(m);
  });
  listener.Attach(Window());
  constexpr LPARAM kAltDown = 1 << 29;
  EXPECT_EQ(1, form->Perform(CM_DIALOGCHAR, L'e', kAltDown));
  ASSERT_TRUE(testing::WaitFor([&] { return opened != -1 && frame->Frame().MenuBar()->TrackedButton() < 0; }, 5000));
  EXPECT_EQ(1, opened) << "the Edit menu";
  EXPECT_EQ(0, notifications);
  EXPECT_EQ(0, form->Perform(CM_DIALOGCHAR, L'e', 0)) << "not without Alt, and the main form has no one to pass it to";
}

TEST(SkinnedDialogCharacter, AnotherFormPassesItToTheMainFormUnlessAModalDialogDisabledIt) {
  TApplication application;
  application.Initialize();
  RegisterSkinDataClass();
  RegisterSkinManager();
  TForm* main = nullptr;
  application.CreateForm(main);
  main->SetBounds(80, 80, 360, 240);
  testing::AddSampleMenuBar(*main);
  auto* data = new TSkinData(main);
  data->SetState(ComponentStateFlag::Loading, true);
  data->SetActive(true);
  data->ReadSkinStreamProperty(testing::StoredBlueSkin());
  data->Loaded();
  main->Show();
  auto* other = new TForm(&application);
  other->SetBounds(200, 200, 200, 120);
  other->Show();
  SetForegroundWindow(other->Handle());
  TSkinManage& manager = *TSkinManage::Instance();
  TSkinForm* mainFrame = nullptr;
  ASSERT_TRUE(testing::WaitFor([&] {
    mainFrame = manager.FindForm(main->Handle());
    TSkinForm* otherFrame = manager.FindForm(other->Handle());
    return mainFrame && otherFrame && mainFrame->GetState() == TSkinForm::kReady &&
           otherFrame->GetState() == TSkinForm::kReady;
  }, 10000));
  constexpr LPARAM kAltDown = 1 << 29;
  EnableWindow(main->Handle(), FALSE);
  EXPECT_EQ(0, other->Perform(CM_DIALOGCHAR, L'e', kAltDown)) << "the main form is disabled";

  EnableWindow(main->Handle(), TRUE);
  int opened = -1;
  testing::PopupMenuWatch watch([&](HWND) {
    opened = mainFrame->Frame().MenuBar()->TrackedButton();
    EndMenu();
    return true;
  });
  EXPECT_EQ(1, other->Perform(CM_DIALOGCHAR, L'e', kAltDown));
  EXPECT_TRUE(testing::WaitFor([&] { return opened != -1; }, 10000));
  EXPECT_EQ(1, opened) << "the main form's Edit menu";
  delete other;
  delete main;
  FreeSkinManager();
}

TEST_F(SkinnedMenuBarForm, TheHotButtonStaysHotAcrossPaintsAndTheBarFollowsTheMenuOnlyWithMenuUpdate) {
  SkinnedFrame& skinned = frame->Frame();
  const POINT over = InButton(0);
  SendMessageW(Window(), WM_NCMOUSEMOVE, HTMENU, MAKELPARAM(over.x, over.y));
  ASSERT_EQ(0, skinned.MenuBar()->HotButton());
  SendMessageW(Window(), SKM_PAINTFRAME, 0, 0);
  EXPECT_EQ(0, skinned.MenuBar()->HotButton()) << "a paint rebuilds the bar, not its hot button";
  EXPECT_EQ(3, skinned.MenuBar()->Buttons()[0].state);

  const size_t buttons = skinned.MenuBar()->Buttons().size();
  auto* later = new TMenuItem(form);
  later->SetCaption(L"&Later");
  data->SetMenuUpdate(false);
  bar->Items()->Add(later);
  SendMessageW(Window(), SKM_PAINTFRAME, 0, 0);
  EXPECT_EQ(buttons, skinned.MenuBar()->Buttons().size()) << "the bar keeps the menu it took";
  data->SetMenuUpdate(true);
  SendMessageW(Window(), SKM_PAINTFRAME, 0, 0);
  EXPECT_EQ(buttons + 1, skinned.MenuBar()->Buttons().size());
}

}  // namespace
}  // namespace quonel
