// The wizard form's skin data component as its stored layout makes it: the
// built-in blue skin stored with the form and built while the form is read,
// and a damaged stored skin that leaves the form unskinned but whole; and
// the wizard window in the blue skin's frame: the skin chosen for each of its
// controls, its close button and screenshots for a person.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/form_update.h"
#include "lzh_encoder.h"
#include "skin/data/skin_data.h"
#include "skin/archive/skin_reader.h"
#include "skin/controls/skin_control.h"
#include "skin/frame/skin_form.h"
#include "skin/gdi/skin_renderers.h"
#include "support/memory_dc.h"
#include "skin/skin_messages.h"
#include "support/window_capture.h"
#include "support/window_driver.h"
#include "skin/manager/skin_manage.h"
#include "skin_archive_writer.h"
#include "support/message_box_hook.h"
#include "support/test_paths.h"
#include "ui/application.h"
#include "core/property_access.h"
#include "ui/resource_layout.h"
#include "core/stored_form_reader.h"
#include "skin/skin_messages.h"
#include "support/popup_menu_watch.h"
#include "support/window_capture.h"
#include "support/window_driver.h"

namespace quonel {
namespace {

class WizardSkin : public ::testing::Test {
 protected:
  void SetUp() override { application.Initialize(); }

  // The wizard's stored layout with SkinData1's SkinStream replaced, read
  // into a plain form.
  void ReadDamagedWizard(TForm& form, const std::string& skinStream) {
    std::string text = testing::ReadTextFile(testing::SourceDir() + "/src/app/form_update.layout");
    auto replace = [&text](const std::string& from, const std::string& to) {
      const size_t at = text.find(from);
      ASSERT_NE(std::string::npos, at) << from;
      text.replace(at, from.size(), to);
    };
    std::string hex;
    for (unsigned char c : skinStream) {
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02x", c);
      hex += digits;
    }
    replace("Form_Update : TForm_Update", "Form_Update : TForm");
    replace("SkinStream = resource BLUE_SKIN", "SkinStream = bytes \"" + hex + "\"");
    RegisterFormUpdateClasses();
    ReadStoredComponent(form, ParseStoredLayout(text), LoadResourceBytes);
  }

  TApplication application;
};

TEST_F(WizardSkin, SkinData1CarriesTheBuiltInBlueSkinBuiltWhenTheFormIsRead) {
  testing::MessageBoxAnswerer boxes;
  TForm_Update form(nullptr);
  auto* data = dynamic_cast<TSkinData*>(form.SkinData1);
  ASSERT_NE(nullptr, data) << "a real TSkinData, not a stand-in";
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_FALSE(data->Empty());
  EXPECT_TRUE(data->Active());
  TSkinManage* manager = TSkinManage::Instance();
  ASSERT_NE(nullptr, manager) << "made while the form is read";
  EXPECT_EQ(std::vector<TSkinData*>{data}, manager->Components());
  EXPECT_EQ(data, manager->DefaultComponent());
  EXPECT_NE(nullptr, manager->HookHandle());
  EXPECT_EQ(kCommandSkinAll, manager->PendingCommand());
  EXPECT_TRUE(manager->Active());
  EXPECT_EQ(LoadResourceBytes(L"BLUE_SKIN"), data->SkinStreamProperty()) << "the stored value, length first";

  TSkinReader archive;
  ASSERT_TRUE(archive.ReadArchive(data->SkinStream()));
  EXPECT_EQ(20000, archive.Version());
  EXPECT_EQ(34, archive.MemberCount());
  std::string description;
  archive.FindMember(".ini", description);
  EXPECT_EQ("blue_theme.ini", description);

  // Spot checks of what the blue skin defines.
  EXPECT_EQ(165, data->Buttons().Image.Width());
  EXPECT_EQ(5, data->Buttons().Frames);
  EXPECT_EQ(88, data->Edge(FrameEdge::Top).Image.Width());
  EXPECT_EQ(48, data->Edge(FrameEdge::Left).Image.Height());
  EXPECT_EQ(8u, data->CaptionButtons().size());
  EXPECT_NE(nullptr, data->Slot(SkinSlot::Scrollbar));
  EXPECT_NE(nullptr, data->Slot(SkinSlot::Progress));
  EXPECT_EQ(MakeColour(223, 223, 223), data->Colours().ButtonFace);
  EXPECT_NE(nullptr, data->FaceBrush());
}

TEST_F(WizardSkin, SkinData1HasItsStoredPropertiesByName) {
  TForm_Update form(nullptr);
  TComponent* data = form.SkinData1;
  EXPECT_EQ(99, GetIntProp(data, L"DisableTag"));
  EXPECT_EQ(L"True", GetEnumPropText(data, L"Active"));
  EXPECT_EQ(L"sfMainform", GetEnumPropText(data, L"SkinFormtype"));
  EXPECT_EQ(L"True", GetEnumPropText(data, L"MenuUpdate"));
  EXPECT_EQ(L"False", GetEnumPropText(data, L"MenuMerge"));
  EXPECT_EQ(L"4.11.07.25", GetTextProp(data, L"Version"));
  EXPECT_EQ(L"(none)", GetTextProp(data, L"SkinStore"));
  EXPECT_TRUE(InheritsFrom(data, L"TComponent"));
  auto* skin = static_cast<TSkinData*>(data);
  const TSkinControlTypes stored =
      SetBit(xcMainMenu) | SetBit(xcPopupMenu) | SetBit(xcToolbar) | SetBit(xcControlbar) | SetBit(xcCombo) |
      SetBit(xcCheckBox) | SetBit(xcRadioButton) | SetBit(xcProgress) | SetBit(xcScrollbar) | SetBit(xcEdit) |
      SetBit(xcButton) | SetBit(xcBitBtn) | SetBit(xcSpeedButton) | SetBit(xcSpin) | SetBit(xcPanel) |
      SetBit(xcGroupBox) | SetBit(xcStatusBar) | SetBit(xcTab) | SetBit(xcTrackBar) | SetBit(xcSystemMenu);
  EXPECT_EQ(stored, skin->SkinControls());
  EXPECT_EQ(SetBit(xoPreview) | SetBit(xoToolbarBK), skin->Options());
  EXPECT_EQ(117, skin->Skin3rd().Count());
}

TEST_F(WizardSkin, ADamagedStoredSkinLoadsTheFormWithoutASkin) {
  std::string older = skinpack::LayOutArchive({{"skin.ini", "[Personality]\r\n"}});
  older[0] = static_cast<char>(19999 & 0xFF);
  older[1] = static_cast<char>(19999 >> 8);
  const std::string compressed = skinpack::LzhEncode(older);
  const auto n = static_cast<uint32_t>(compressed.size());
  const std::string olderStream = std::string{static_cast<char>(n), static_cast<char>(n >> 8), 0, 0} + compressed;
  struct Case {
    const char* what;
    std::string stream;
    size_t messages;
  };
  const Case cases[] = {
      {"an archive of another version", olderStream, 1},
      {"a length beyond the stored bytes", olderStream.substr(0, olderStream.size() - 3), 0},
      {"garbage", std::string("\x07\x00\x00\x00garbage", 11), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::MessageBoxAnswerer boxes;
    TForm form(nullptr);
    ASSERT_NO_THROW(ReadDamagedWizard(form, c.stream));
    auto* data = dynamic_cast<TSkinData*>(form.FindComponent(L"SkinData1"));
    ASSERT_NE(nullptr, data);
    EXPECT_TRUE(data->Empty());
    EXPECT_FALSE(data->Active()) << "stored True, turned off by Loaded";
    TSkinManage* manager = TSkinManage::Instance();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(std::vector<TSkinData*>{data}, manager->Components());
    EXPECT_EQ(0, manager->PendingCommand()) << "nothing is to be skinned";
    EXPECT_FALSE(manager->Active());
    ASSERT_EQ(c.messages, boxes.Boxes().size());
    if (c.messages) {
      EXPECT_EQ(kOlderSkinMessage, boxes.Boxes()[0].text);
    }
    EXPECT_NE(nullptr, form.FindComponent(L"btn_next")) << "the rest of the form is read";
    EXPECT_NE(nullptr, form.FindComponent(L"SkinCaption1"));
  }
}

// The wizard as the skin manager frames it once the window is shown.
class SkinnedWizard : public ::testing::Test {
 protected:
  void SetUp() override {
    application.Initialize();
    form = std::make_unique<TForm_Update>(nullptr);
  }
  void TearDown() override { form.reset(); }
  void ShowSkinned() {
    form->Show();
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(testing::WaitFor(
        [this] {
          TSkinManage* manager = TSkinManage::Instance();
          skin = manager ? manager->FindForm(form->Handle()) : nullptr;
          return skin && skin->GetState() == TSkinForm::kReady;
        },
        10000))
        << "the skin manager frames the wizard when it is activated";
    testing::PumpMessages();
  }
  std::wstring KindOf(TControl* control) const {
    for (const ChosenControlSkin& chosen : skin->Frame().Controls())
      if (chosen.control == control) return chosen.kind;
    return L"(none)";
  }

  TApplication application;
  std::unique_ptr<TForm_Update> form;
  TSkinForm* skin = nullptr;
};

TEST_F(SkinnedWizard, EachControlIsGivenItsKindOfSkinAndTheRestKeepTheirLook) {
  ShowSkinned();
  EXPECT_EQ(L"scrollbar", KindOf(form->Memo1));
  EXPECT_EQ(L"scrollbar", KindOf(form->ListBox_servers));
  EXPECT_EQ(L"listview", KindOf(form->ListView_files));
  EXPECT_EQ(L"edit", KindOf(form->Edt_url));
  EXPECT_EQ(L"button", KindOf(form->btn_pre));
  EXPECT_EQ(L"button", KindOf(form->btn_next));
  EXPECT_EQ(L"button", KindOf(form->Button2));
  EXPECT_EQ(L"groupbox", KindOf(form->GroupBox1));
  for (TControl* own : {static_cast<TControl*>(form->Label1), static_cast<TControl*>(form->Label4),
                        static_cast<TControl*>(form->Gauge_process), static_cast<TControl*>(form->Notebook_step),
                        static_cast<TControl*>(form->ShockwaveFlash1)})
    EXPECT_EQ(L"(none)", KindOf(own)) << own->Name();
}

TEST_F(SkinnedWizard, TheWizardsButtonsAreDrawnFromTheSkinAndHiddenControlsKeepTheirWindowsUnmade) {
  ShowSkinned();
  EXPECT_FALSE(form->GroupBox1->HandleAllocated()) << "skinning makes no window for a hidden control";
  auto* data = dynamic_cast<TSkinData*>(form->SkinData1);
  ASSERT_NE(nullptr, data);
  const TDataSkinButton& buttons = data->Buttons();
  // The button's left and right edges (clear of the caption) against frame k of the skin's strip.
  const auto showsFrame = [&](TButton* button, int frame) {
    RECT client;
    GetClientRect(button->Handle(), &client);
    testing::MemoryDc shown(client.right, client.bottom), expected(client.right, client.bottom);
    shown.PrintClient(button->Handle());
    FillWithColor(expected.Get(), {0, 0, client.right, client.bottom}, data->Colours().ButtonFace);
    DrawSkinObject(expected.Get(), {0, 0, client.right, client.bottom}, buttons.Frames, frame, buttons);
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x)
        if ((x < 5 || x >= client.right - 5) && shown.Pixel(x, y) != expected.Pixel(x, y)) return false;
    return true;
  };
  for (TButton* button : {form->btn_pre, form->btn_next, form->Button2})
    EXPECT_EQ(1, SendMessageW(button->Handle(), SKM_ISSKINNED, 0, 0)) << button->Name();
  EXPECT_TRUE(showsFrame(form->btn_pre, 3)) << "disabled";
  EXPECT_TRUE(showsFrame(form->Button2, 3)) << "disabled";
  const int nextFrame = GetFocus() == form->btn_next->Handle() ? 5 : 1;
  EXPECT_TRUE(showsFrame(form->btn_next, nextFrame));
  // Between the edges, whatever is not the skin's frame is the caption's ink
  // (the focus frame alone makes about 20 pixels, the caption about 160).
  RECT client;
  GetClientRect(form->btn_next->Handle(), &client);
  testing::MemoryDc shown(client.right, client.bottom), bare(client.right, client.bottom);
  shown.PrintClient(form->btn_next->Handle());
  FillWithColor(bare.Get(), {0, 0, client.right, client.bottom}, data->Colours().ButtonFace);
  DrawSkinObject(bare.Get(), {0, 0, client.right, client.bottom}, buttons.Frames, nextFrame, buttons);
  int ink = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 5; x < client.right - 5; ++x) ink += shown.Pixel(x, y) != bare.Pixel(x, y);
  EXPECT_GE(ink, 80) << "the caption \"下一步\" is drawn";
  form->GroupBox1->Show();
  EXPECT_EQ(1, SendMessageW(form->GroupBox1->Handle(), SKM_ISSKINNED, 0, 0)) << "skinned once its window is made";
}

// What the wizard's window was asked to paint while it appeared, and whether
// its frame object was ready at each request.
struct PaintRequests {
  static inline HWND window = nullptr;
  static inline std::vector<std::pair<UINT, bool>> seen;
  static inline int formFocused = 0;  // times the form's own window took the focus
  static inline HWND notebook = nullptr;
  static inline int notebookErased = 0;  // the notebook's background erased beneath its page
  static void Note(HWND target, UINT msg) {
    if (target == window && msg == WM_SETFOCUS) ++formFocused;
    if (target == notebook && msg == WM_ERASEBKGND) ++notebookErased;
    if (target != window || (msg != WM_NCPAINT && msg != WM_ERASEBKGND && msg != WM_PAINT)) return;
    TSkinManage* manager = TSkinManage::Instance();
    TSkinForm* frame = manager ? manager->FindForm(window) : nullptr;
    seen.push_back({msg, frame && frame->GetState() == TSkinForm::kReady});
  }
  // Sent messages (the frame's WM_NCPAINT, the background) and fetched ones (WM_PAINT).
  static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) Note(reinterpret_cast<CWPSTRUCT*>(lParam)->hwnd, reinterpret_cast<CWPSTRUCT*>(lParam)->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK Fetched(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) Note(reinterpret_cast<MSG*>(lParam)->hwnd, reinterpret_cast<MSG*>(lParam)->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  int Count(UINT msg) const {
    return static_cast<int>(std::count_if(seen.begin(), seen.end(), [msg](const auto& s) { return s.first == msg; }));
  }
};

// The wizard as the program makes it: the application's main form.
TEST(WizardFirstPaint, TheWindowIsInItsSkinFromItsFirstPaintAndIsPaintedOnce) {
  TApplication application;
  application.Initialize();
  TForm_Update* form = nullptr;
  application.CreateForm(form);
  PaintRequests requests;
  requests.window = form->Handle();
  requests.seen.clear();
  requests.formFocused = 0;
  requests.notebook = form->Notebook_step->Handle();
  requests.notebookErased = 0;
  RECT made;
  GetWindowRect(form->Handle(), &made);
  const DWORD thread = GetCurrentThreadId();
  OwnedHook sent(SetWindowsHookExW(WH_CALLWNDPROC, PaintRequests::Sent, nullptr, thread));
  OwnedHook fetched(SetWindowsHookExW(WH_GETMESSAGE, PaintRequests::Fetched, nullptr, thread));
  form->Show();
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(testing::WaitFor(
      [&] {
        TSkinForm* frame = TSkinManage::Instance() ? TSkinManage::Instance()->FindForm(form->Handle()) : nullptr;
        return frame && frame->GetState() == TSkinForm::kReady;
      },
      10000));
  testing::PumpMessages();
  sent.Reset();
  fetched.Reset();
  ASSERT_FALSE(requests.seen.empty());
  for (size_t i = 0; i < requests.seen.size(); ++i)
    EXPECT_TRUE(requests.seen[i].second) << "request " << i << " (message " << std::hex << requests.seen[i].first
                                         << ") came before the frame was set up";
  EXPECT_EQ(1, requests.Count(WM_NCPAINT)) << "the frame's set-up repaints no frame";
  EXPECT_EQ(1, requests.Count(WM_PAINT)) << "nor the client";
  // Activated, the window hands the focus straight to its first control.
  EXPECT_EQ(form->btn_next->Handle(), GetFocus());
  EXPECT_EQ(0, requests.formFocused) << "the form itself never took the focus on its way there";
  EXPECT_EQ(0, requests.notebookErased) << "the page covers the notebook: nothing beneath it is painted";
  RECT shown;
  GetWindowRect(form->Handle(), &shown);
  EXPECT_EQ(made.left, shown.left) << "made where it appears, in the middle of the screen";
  EXPECT_EQ(made.top, shown.top);
}

TEST_F(SkinnedWizard, ASkin3rdLineOfKindNilKeepsAClassUnskinned) {
  form->SkinData1->Skin3rd().Add(L"TButton=nil");
  ShowSkinned();
  EXPECT_EQ(L"(none)", KindOf(form->btn_next));
  EXPECT_EQ(L"scrollbar", KindOf(form->Memo1));
}

TEST_F(SkinnedWizard, TheSkinsCloseButtonClosesThroughTheWizardsQuestion) {
  ShowSkinned();
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(418, client.right);
  EXPECT_EQ(347, client.bottom);
  testing::SaveCapture(testing::CaptureWindow(form->Handle()), "wizard_skinned_active");

  const TWinSysButton* close = nullptr;
  for (const auto& b : skin->Frame().Buttons())
    if (b->Skin().Action == 0 && b->enabled) close = b.get();
  ASSERT_NE(nullptr, close);
  RECT frame;
  GetWindowRect(form->Handle(), &frame);
  const LPARAM at = MAKELPARAM(frame.left + (close->rect.left + close->rect.right) / 2, frame.top + 12);
  auto clickClose = [&] {
    SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, at);
    SendMessageW(form->Handle(), WM_NCLBUTTONUP, HTCAPTION, at);
    testing::PumpMessages();
  };
  form->btn_next->SetCaption(L"完成升级");
  testing::MessageBoxAnswerer boxes(IDNO);
  clickClose();
  ASSERT_EQ(1u, boxes.Boxes().size());
  EXPECT_EQ(L"文件下载已经完成，但并没有更新文件，要退出吗？", boxes.Boxes()[0].text);
  EXPECT_TRUE(IsWindowVisible(form->Handle())) << "No keeps the wizard open";

  // Another window takes the activation: the frame shows it inactive.
  TForm other(nullptr);
  other.SetBounds(0, 0, 100, 60);
  other.Show();
  SetForegroundWindow(other.Handle());
  testing::PumpMessages();
  testing::SaveCapture(testing::CaptureWindow(form->Handle()), "wizard_skinned_inactive");
  SetForegroundWindow(form->Handle());
  testing::PumpMessages();

  boxes.QueueAnswers({IDYES});
  clickClose();
  EXPECT_EQ(2u, boxes.Boxes().size());
  EXPECT_FALSE(IsWindowVisible(form->Handle())) << "Yes closes it";
}

TEST_F(WizardSkin, AltSpaceOpensTheSystemMenuAsASubclassedSkinnedPopup) {
  testing::MessageBoxAnswerer boxes;
  TForm_Update form(nullptr);
  form.Show();
  SetForegroundWindow(form.Handle());
  TSkinManage& manager = *TSkinManage::Instance();
  // The keys come to a window that is active and framed. Before that, the
  // display still raises the newly activated wizard, over a popup opened
  // meanwhile.
  ASSERT_TRUE(testing::WaitFor(
      [&] {
        TSkinForm* frame = manager.FindForm(form.Handle());
        return frame && frame->GetState() == TSkinForm::kReady && !manager.CommandScheduled() &&
               GetForegroundWindow() == form.Handle();
      },
      10000))
      << "the wizard is framed first";
  testing::PumpMessages();

  auto* data = dynamic_cast<TSkinData*>(form.SkinData1);
  const COLORREF expected = ColorToRGB(data->Slot(SkinSlot::MenuBackground)->Image.Pixel(1, 1));
  bool skinned = false;
  COLORREF corner = 0;
  int looks = 0;
  testing::PopupMenuWatch watch([&](HWND popup) {
    if (popup) {
      skinned = SendMessageW(popup, SKM_ISSKINNED, 0, 0) == 1 && manager.IsSkinnedPopup(popup);
      // The screen shows the popup a little after it is painted: look again until it does.
      const testing::Capture capture = testing::CaptureWindow(popup);
      corner = capture.Pixel(1, 1);
      // ... and until its entries are drawn, so the screenshot shows them.
      int ink = 0;  // inside the border, which is dark from the start
      for (int y = 4; y < capture.height - 4; ++y)
        for (int x = 4; x < capture.width - 4; ++x) {
          const COLORREF c = capture.Pixel(x, y);
          if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) ++ink;
        }
      if ((corner != expected || ink < 30) && ++looks < 50) return false;
      EXPECT_GE(ink, 30) << "the entries' captions on the screen";
      testing::SaveCapture(capture, "wizard_system_menu");
    }
    // The keyboard's menu loop would go back to the caption on Escape: end it outright.
    EndMenu();
    return true;
  });
  // Alt+Space reaches the window as the keyboard's system command with a space.
  SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');

  EXPECT_TRUE(skinned);
  EXPECT_EQ(expected, corner) << "its border from MenuBackground";
  EXPECT_TRUE(testing::WaitFor([&] { return manager.PopupCount() == 0; }, 10000));
}

}  // namespace
}  // namespace quonel
