// The frame object on real windows under Wine: a dialog-bordered form with
// a minimise box (the wizard's frame) framed by the blue skin - size, pixels
// of edges, caption strip, buttons and caption text, active and inactive,
// the region, hit testing, clicks, the system menu, caption changes, a
// failing paint and detaching.
#include "skin/frame/skin_form.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <memory>
#include <stdexcept>

#include "skin/data/skin_data.h"
#include "skin/frame/caption_font.h"
#include "skin/frame/skin_caption.h"
#include "skin/frame/system_menu.h"
#include "skin/skin_messages.h"
#include "support/message_box_hook.h"
#include "support/poisoned_storage.h"
#include "support/popup_menu_watch.h"
#include "skin/sample_menu_bar.h"
#include "skin/skin_bitmap_fixture.h"
#include "skin/stored_blue_skin.h"
#include "support/test_paths.h"
#include "support/window_capture.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/window_subclass.h"

namespace quonel {
namespace {

constexpr UINT kPing = WM_APP + 7;

// A dialog border that keeps its minimise box, as the wizard's.
class DialogWithMinimiseBox : public TForm {
 public:
  using TForm::TForm;

 protected:
  void CreateParams(TCreateParams& params) override {
    TForm::CreateParams(params);
    params.style |= WS_MINIMIZEBOX;
  }
};

class SkinnedFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    application.Initialize();
    data.ReadSkinStreamProperty(testing::StoredBlueSkin());
    data.Loaded();
    ASSERT_FALSE(data.Empty());
    form = std::make_unique<DialogWithMinimiseBox>(nullptr);
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetBorderIcons(biSystemMenu | biMinimize);
    form->SetClientWidth(418);
    form->SetClientHeight(347);
    form->SetBounds(40, 40, form->Width(), form->Height());
    form->SetCaption(L"Quonel加速器升级程序");
    form->Show();
    SetForegroundWindow(form->Handle());
    testing::PumpMessages();
    skin.AttachWindow(Window(), &data, form.get());
    SendMessageW(Window(), SKM_INITFRAME, 0, 1000);
    testing::PumpMessages();
  }
  void TearDown() override {
    skin.DetachWindow();
    form.reset();
  }
  HWND Window() const { return form->Handle(); }
  RECT Frame() const {
    RECT r;
    GetWindowRect(Window(), &r);
    return r;
  }
  const TWinSysButton& ButtonWithAction(int action) const {
    for (const auto& b : frame.Buttons())
      if (b->Skin().Action == action && b->enabled) return *b;
    throw std::runtime_error("no such button shown");
  }
  // The screen point at a window point, packed as the mouse messages carry it.
  LPARAM ScreenPoint(int x, int y) const { return MAKELPARAM(Frame().left + x, Frame().top + y); }
  LPARAM Centre(const TWinSysButton& b) const {
    return ScreenPoint((b.rect.left + b.rect.right) / 2, (b.rect.top + b.rect.bottom) / 2);
  }
  void Activate(HWND window) {
    SetForegroundWindow(window);
    SetActiveWindow(window);
    testing::PumpMessages();
  }
  int CountInTextBox(const testing::Capture& c, COLORREF colour, int left, int right) const {
    int count = 0;
    for (int y = 3; y < 24; ++y)
      for (int x = left; x < right; ++x) count += c.Pixel(x, y) == colour;
    return count;
  }
  // The window's pixels of a caption button against the strip's frame.
  void ExpectButtonFrame(const testing::Capture& c, const TWinSysButton& b, int frameIndex, const char* what) {
    const SkinBitmap& image = b.Skin().Image;
    const int fw = b.FrameWidth();
    int compared = 0;
    for (int y = 0; y < b.FrameHeight(); y += 3)
      for (int x = 0; x < fw; x += 3) {
        const TColor want = image.Pixel((frameIndex - 1) * fw + x, y);
        if (want == clMagenta) continue;
        EXPECT_EQ(static_cast<COLORREF>(want), c.Pixel(b.rect.left + x, b.rect.top + y)) << what << " " << x << "," << y;
        ++compared;
      }
    EXPECT_GT(compared, 20) << what;
  }

  TApplication application;
  TSkinData data{nullptr};
  TSkinCaption caption{nullptr};
  std::unique_ptr<DialogWithMinimiseBox> form;
  TSkinForm skin;
  SkinnedFrame& frame = skin.Frame();
};

TEST_F(SkinnedFrameTest, FramesTheWindowWithTheSkinsBordersAroundAnUnchangedClientArea) {
  EXPECT_EQ(TSkinForm::kReady, skin.GetState());
  EXPECT_EQ(BorderKind::Dialog, frame.Kind());
  EXPECT_EQ((FrameBorders{3, 24, 3, 3}), frame.Borders());
  RECT client;
  GetClientRect(Window(), &client);
  EXPECT_EQ(418, client.right);
  EXPECT_EQ(347, client.bottom);
  const RECT r = Frame();
  EXPECT_EQ(418 + 6, r.right - r.left);
  EXPECT_EQ(347 + 27, r.bottom - r.top);
  EXPECT_EQ(1, SendMessageW(Window(), SKM_ISSKINNED, 0, 0));
  EXPECT_EQ(kSkinMessageMarker, SendMessageW(Window(), SKM_FRAMEQUERY, 0, kSkinMessageMarker));
  EXPECT_EQ(0, GetWindowLongPtrW(Window(), GWL_STYLE) & WS_CAPTION) << "no native caption to draw over the skin";
  RECT proposed{100, 100, 524, 474};
  SendMessageW(Window(), WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ((RECT{103, 124, 521, 471}).top, proposed.top) << "adjusted without the validate flag too";
  EXPECT_EQ(103, proposed.left);
  EXPECT_EQ(521, proposed.right);
  EXPECT_EQ(471, proposed.bottom);

  // A new skin: the frame is set up again around the same client area.
  int announced = 0;
  data.OnAfterSkinForm = [&](TComponent* sender, HWND window, const std::wstring& className) {
    ++announced;
    EXPECT_EQ(form.get(), sender);
    EXPECT_EQ(Window(), window);
    EXPECT_EQ(L"TForm", className.substr(0, 5));
  };
  skin.RefreshSkin();
  EXPECT_EQ(1, announced);
  EXPECT_EQ(TSkinForm::kReady, skin.GetState());
  GetClientRect(Window(), &client);
  EXPECT_EQ(418, client.right);
  EXPECT_EQ(347, client.bottom);
  data.OnAfterSkinForm = nullptr;
}

TEST_F(SkinnedFrameTest, PaintsEdgesStripButtonsAndCaptionTextActiveThenInactive) {
  const TDataSkinObject& top = data.Edge(FrameEdge::Top);
  const TDataSkinObject& left = data.Edge(FrameEdge::Left);
  const TDataSkinObject& bottom = data.Edge(FrameEdge::Bottom);
  const TWinSysButton& close = ButtonWithAction(0);
  const TWinSysButton& minimise = ButtonWithAction(2);
  EXPECT_EQ(424 - 29, close.rect.left);
  EXPECT_EQ(424 - 65, minimise.rect.left);
  for (const auto& b : frame.Buttons()) {
    const bool hidden = b->Skin().Action == 1 || b->Skin().Action == 3;
    EXPECT_TRUE(!hidden || !b->enabled) << "maximise and icon hidden";
  }
  const COLORREF black = RGB(0, 0, 0), grey = RGB(134, 134, 134);

  testing::Capture active = testing::CaptureWindow(Window());
  testing::SaveCapture(active, "skinned_frame_active");
  EXPECT_EQ(static_cast<COLORREF>(top.Image.Pixel(44, 12)), active.Pixel(50, 12)) << "caption strip";
  EXPECT_EQ(static_cast<COLORREF>(top.Image.Pixel(44, 12)), active.Pixel(385, 12)) << "no maximise button";
  EXPECT_EQ(static_cast<COLORREF>(left.Image.Pixel(1, 35)), active.Pixel(1, 200)) << "left edge";
  EXPECT_EQ(static_cast<COLORREF>(bottom.Image.Pixel(30, 2)), active.Pixel(200, 347 + 26)) << "bottom edge";
  ExpectButtonFrame(active, close, 1, "close");
  ExpectButtonFrame(active, minimise, 1, "minimise");
  EXPECT_GT(CountInTextBox(active, black, 40, 359), 20) << "caption text in the active colour";
  EXPECT_EQ(0, CountInTextBox(active, black, 0, 40) + CountInTextBox(active, black, 359, 424))
      << "nothing left of the text shift or right of the clip";

  DialogWithMinimiseBox other(nullptr);
  other.SetBounds(600, 500, 120, 80);
  other.Show();
  Activate(other.Handle());
  ASSERT_NE(Window(), GetActiveWindow());
  EXPECT_FALSE(frame.Active());
  testing::Capture inactive = testing::CaptureWindow(Window());
  testing::SaveCapture(inactive, "skinned_frame_inactive");
  EXPECT_EQ(static_cast<COLORREF>(top.Image.Pixel(44, 24 + 12)), inactive.Pixel(50, 12)) << "inactive strip";
  ExpectButtonFrame(inactive, close, 4, "close, inactive");
  EXPECT_GT(CountInTextBox(inactive, grey, 40, 359), 20) << "caption text in the inactive colour";
  EXPECT_EQ(0, CountInTextBox(inactive, black, 40, 359));
}

TEST_F(SkinnedFrameTest, TheRegionCutsTheRightEdgesMagentaCornerAndFollowsTheEdgesFlags) {
  OwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(ERROR, GetWindowRgn(Window(), region.Get()));
  const int w = 424;
  EXPECT_FALSE(PtInRegion(region.Get(), w - 1, 0));
  EXPECT_FALSE(PtInRegion(region.Get(), w - 2, 0));
  EXPECT_FALSE(PtInRegion(region.Get(), w - 1, 1));
  EXPECT_TRUE(PtInRegion(region.Get(), w - 3, 0));
  EXPECT_TRUE(PtInRegion(region.Get(), w - 1, 2));
  EXPECT_TRUE(PtInRegion(region.Get(), 0, 0)) << "the left edge is opaque";
  EXPECT_TRUE(PtInRegion(region.Get(), 200, 200));

  // Same size, other edges: the region is made again.
  data.Edge(FrameEdge::Right).Trans = 0;
  frame.UpdateRegion();
  EXPECT_EQ(ERROR, GetWindowRgn(Window(), region.Get())) << "no transparent edge: the whole window";
  data.Edge(FrameEdge::Right).Trans = 1;
}

TEST_F(SkinnedFrameTest, HitTestingAnswersCaptionOnTheStripAndClientInside) {
  EXPECT_EQ(HTCAPTION, SendMessageW(Window(), WM_NCHITTEST, 0, ScreenPoint(200, 12)));
  EXPECT_EQ(HTCAPTION, SendMessageW(Window(), WM_NCHITTEST, 0, ScreenPoint(8, 12))) << "where a native icon was";
  EXPECT_EQ(HTCAPTION, SendMessageW(Window(), WM_NCHITTEST, 0, Centre(ButtonWithAction(0))));
  EXPECT_EQ(HTCLIENT, SendMessageW(Window(), WM_NCHITTEST, 0, ScreenPoint(200, 200)));
}

TEST_F(SkinnedFrameTest, ButtonsGetHotAndPressedAndAClickPerformsTheirAction) {
  int closeQuestions = 0;
  form->OnCloseQuery = [&](TComponent*, bool& canClose) {
    ++closeQuestions;
    canClose = false;
  };
  const TWinSysButton& close = ButtonWithAction(0);
  // The pointer really is over the button, so the hover check keeps it hot.
  SetCursorPos(GET_X_LPARAM(Centre(close)), GET_Y_LPARAM(Centre(close)));
  SendMessageW(Window(), WM_NCMOUSEMOVE, HTCAPTION, Centre(close));
  EXPECT_EQ(&close, frame.HotObject());
  testing::PumpMessages();  // the window's surface reaches the screen
  ExpectButtonFrame(testing::CaptureWindow(Window()), close, TNCObject::kHot, "close, hot");
  SendMessageW(Window(), WM_NCLBUTTONDOWN, HTCAPTION, Centre(close));
  testing::PumpMessages();
  ExpectButtonFrame(testing::CaptureWindow(Window()), close, TNCObject::kPressed, "close, pressed");
  SendMessageW(Window(), WM_NCLBUTTONUP, HTCAPTION, Centre(close));
  testing::PumpMessages();
  EXPECT_EQ(1, closeQuestions) << "the close went through the form's close question";
  EXPECT_TRUE(IsWindow(Window()));

  // Pressed on one button, released elsewhere: nothing happens.
  SendMessageW(Window(), WM_NCLBUTTONDOWN, HTCAPTION, Centre(close));
  SendMessageW(Window(), WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(200, 12));
  testing::PumpMessages();
  EXPECT_EQ(1, closeQuestions);

  const TWinSysButton& minimise = ButtonWithAction(2);
  SendMessageW(Window(), WM_NCLBUTTONDOWN, HTCAPTION, Centre(minimise));
  SendMessageW(Window(), WM_NCLBUTTONUP, HTCAPTION, Centre(minimise));
  testing::PumpMessages();
  EXPECT_TRUE(IsIconic(Window()));
  ShowWindow(Window(), SW_RESTORE);
  testing::PumpMessages();
  EXPECT_FALSE(IsIconic(Window()));
  RECT client;
  GetClientRect(Window(), &client);
  EXPECT_EQ(347, client.bottom) << "restored with the skin's borders";
  SetCursorPos(0, 0);
}

TEST_F(SkinnedFrameTest, ARightClickOnTheCaptionShowsTheSkinnedSystemMenu) {
  std::vector<std::pair<UINT, bool>> items;  // command, enabled
  ULONG_PTR tag = 0;
  TWindowSubclass watcher([&](TWindowSubclass& link, TMessage& m) {
    if (m.Msg == WM_INITMENUPOPUP) {
      const auto menu = reinterpret_cast<HMENU>(m.WParam);
      MENUINFO info{};
      info.cbSize = sizeof info;
      info.fMask = MIM_MENUDATA;
      GetMenuInfo(menu, &info);
      tag = info.dwMenuData;
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT id = GetMenuItemID(menu, i);
        items.emplace_back(id, !(GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED));
      }
      PostMessageW(Window(), WM_CANCELMODE, 0, 0);
    }
    link.CallNext(m);
  });
  watcher.Attach(Window());
  SendMessageW(Window(), WM_NCRBUTTONDOWN, HTCAPTION, ScreenPoint(200, 12));
  EXPECT_EQ(kSystemMenuTag, tag);
  ASSERT_EQ(static_cast<size_t>(GetMenuItemCount(GetSystemMenu(Window(), FALSE))), items.size());
  auto enabled = [&](UINT command) {
    for (const auto& [id, on] : items)
      if ((id & 0xFFF0) == command) return on;
    ADD_FAILURE() << "no entry " << command;
    return false;
  };
  EXPECT_FALSE(enabled(SC_RESTORE));
  EXPECT_FALSE(enabled(SC_MAXIMIZE));
  EXPECT_FALSE(enabled(SC_SIZE));
  EXPECT_TRUE(enabled(SC_MINIMIZE));
  EXPECT_TRUE(enabled(SC_MOVE));
  EXPECT_TRUE(enabled(SC_CLOSE));
}

TEST_F(SkinnedFrameTest, ANewCaptionIsPaintedWithoutDispatchingOtherMessages) {
  std::wstring painted;
  frame.CaptionPainter = [&](HDC strip, const CaptionTextParams& params) {
    painted = params.text;
    DrawCaptionText(strip, params);
  };
  bool pinged = false;
  TWindowSubclass watcher([&](TWindowSubclass& link, TMessage& m) {
    if (m.Msg == kPing) pinged = true;
    link.CallNext(m);
  });
  watcher.Attach(Window());
  PostMessageW(Window(), kPing, 0, 0);
  SetWindowTextW(Window(), L"升级完成");
  EXPECT_EQ(L"升级完成", painted);
  EXPECT_FALSE(pinged) << "a posted message ran inside the caption change";
  testing::PumpMessages();
  EXPECT_TRUE(pinged);
}

TEST_F(SkinnedFrameTest, AnOwnedWindowKeepsItsSystemMenuWhenAPaintFails) {
  HWND owned = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"恭喜你", WS_POPUP | WS_CAPTION | WS_SYSMENU, 100,
                               100, 120, 100, Window(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(owned);
  ShowWindow(owned, SW_SHOW);
  TSkinForm dialog;
  bool systemMenuWhilePainting = true;
  int paints = 0;
  dialog.Frame().CaptionPainter = [&](HDC, const CaptionTextParams&) {
    ++paints;
    systemMenuWhilePainting = (GetWindowLongPtrW(owned, GWL_STYLE) & WS_SYSMENU) != 0;
    throw std::runtime_error("caption failed");
  };
  dialog.AttachWindow(owned, &data, nullptr);
  EXPECT_EQ(TRUE, SendMessageW(owned, WM_NCACTIVATE, FALSE, 0)) << "before its set-up the frame never refuses a change";
  ASSERT_NO_THROW(SendMessageW(owned, SKM_INITFRAME, 0, 1000));
  EXPECT_NO_THROW(RedrawWindow(owned, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW));
  EXPECT_GE(paints, 1);
  EXPECT_FALSE(systemMenuWhilePainting) << "no native caption buttons while the skin paints";
  EXPECT_TRUE(GetWindowLongPtrW(owned, GWL_STYLE) & WS_SYSMENU) << "the failed paint gave it back";
  EXPECT_TRUE(GetWindowLongPtrW(owned, GWL_STYLE) & WS_CAPTION) << "an owned window keeps its caption style";
  // A system dialog too narrow for its caption text is widened to show it whole.
  RECT box;
  GetWindowRect(owned, &box);
  CaptionTextParams params;
  params.data = &data;
  params.windowWidth = box.right - box.left;
  params.borders = dialog.Frame().Borders();
  WindowDc screen;
  SelectionScope font(screen.Get(), CaptionFont(data.CaptionFont(), data.Title().FontHeight));
  SIZE text{};
  GetTextExtentPoint32W(screen.Get(), L"恭喜你", 3, &text);
  EXPECT_GT(box.right - box.left, 120);
  EXPECT_GE(CaptionTextRect(params).Width(), text.cx);
  DestroyWindow(owned);
  EXPECT_EQ(TSkinForm::kClosed, dialog.GetState()) << "closed with its window, for the manager to free";
}

TEST_F(SkinnedFrameTest, TheCaptionComponentSwitchesTheTextAndMakesLaterFramesTranslucent) {
  const COLORREF black = RGB(0, 0, 0);
  caption.SetActive(false);
  testing::PumpMessages();
  EXPECT_EQ(0, CountInTextBox(testing::CaptureWindow(Window()), black, 40, 359)) << "repainted without text";
  caption.SetActive(true);
  testing::PumpMessages();
  EXPECT_GT(CountInTextBox(testing::CaptureWindow(Window()), black, 40, 359), 20) << "and with it again";

  testing::MessageBoxAnswerer boxes;  // this one has no skin data beside it
  TSkinCaption translucent(nullptr);
  translucent.SetSkinAlpha(64);
  translucent.Loaded();
  DialogWithMinimiseBox second(nullptr);
  second.SetBounds(500, 40, 200, 100);
  second.Show();
  TSkinForm secondSkin;
  secondSkin.AttachWindow(second.Handle(), &data, &second);
  SendMessageW(second.Handle(), SKM_INITFRAME, 0, 1000);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetWindowLongPtrW(second.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  ASSERT_TRUE(GetLayeredWindowAttributes(second.Handle(), nullptr, &alpha, &flags));
  EXPECT_EQ(255 - 64, alpha);
  EXPECT_TRUE(flags & LWA_ALPHA);
  translucent.SetSkinAlpha(0);
  translucent.Loaded();
}

TEST_F(SkinnedFrameTest, DetachingGivesTheWindowItsOwnFrameBack) {
  frame.DetachWindow();

  EXPECT_EQ(FrameState::Closed, frame.State());
  EXPECT_NE(1, SendMessageW(Window(), SKM_ISSKINNED, 0, 0));
  OwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(ERROR, GetWindowRgn(Window(), region.Get()));
  EXPECT_EQ(static_cast<LONG_PTR>(WS_CAPTION), GetWindowLongPtrW(Window(), GWL_STYLE) & WS_CAPTION);
  RECT client;
  GetClientRect(Window(), &client);
  EXPECT_EQ(418, client.right);
  EXPECT_EQ(347, client.bottom);
}

TEST_F(SkinnedFrameTest, AFrameFreedWhileItsSystemMenuOrBarMenuIsOpenIsNotTouchedWhenTheMenuCloses) {
  // What the manager does when a timer command or a component's end frees
  // the frame from inside the menu loop.
  for (const bool fromBar : {false, true}) {
    SCOPED_TRACE(fromBar ? "menu bar" : "system menu");
    TForm other(nullptr);
    other.SetBounds(100, 100, 360, 220);
    testing::AddSampleMenuBar(other);
    other.Show();
    Activate(other.Handle());
    testing::PoisonedStorage<TSkinForm> storage;
    TSkinForm* framed = storage.Construct();
    framed->AttachWindow(other.Handle(), &data, &other);
    SendMessageW(other.Handle(), SKM_INITFRAME, 0, 1000);
    ASSERT_NE(nullptr, framed->Frame().MenuBar());
    RECT outer{};
    GetWindowRect(other.Handle(), &outer);
    const RECT button = framed->Frame().MenuBar()->Buttons()[0].rect;
    testing::PopupMenuWatch watch([&](HWND) {
      storage.Free();
      EndMenu();
      return true;
    });
    if (fromBar)
      SendMessageW(other.Handle(), WM_NCLBUTTONDOWN, HTMENU,
                   MAKELPARAM(outer.left + button.left + 3, outer.top + button.top + 3));
    else
      SendMessageW(other.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(outer.left + 150, outer.top + 10));
    ASSERT_TRUE(storage.Freed());
    EXPECT_NE(1, SendMessageW(other.Handle(), SKM_ISSKINNED, 0, 0));
    EXPECT_NE(nullptr, GetMenu(other.Handle())) << "the window has its menu back";
  }
}

TEST_F(SkinnedFrameTest, TheTitlesTextBackLiesBehindTheCaptionTextActiveThenInactive) {
  constexpr TColor kActiveBack = 0x3060C0, kInactiveBack = 0x808080;
  TDataSkinTitle& title = data.Title();
  title.Image = testing::MakeBitmap(40, 18, [](int x, int) { return x < 20 ? kActiveBack : kInactiveBack; });
  title.Frames = 2;
  title.TextBackLeft = title.TextBackRight = 6;
  title.TextAlignment = 0;  // left: the text starts at the box's left side
  CaptionTextParams params;
  params.data = &data;
  params.text = L"Quonel";
  params.windowWidth = 300;
  params.borders = frame.Borders();
  const Rect box = CaptionTextRect(params);
  const int middle = (box.top + box.bottom) / 2;
  for (const bool active : {true, false}) {
    params.active = active;
    testing::Canvas strip(300, params.borders.top, clBlack);
    DrawCaptionText(strip.Dc(), params);
    GdiFlush();
    const TColor back = active ? kActiveBack : kInactiveBack;
    EXPECT_EQ(back, strip.At(box.left - 3, middle)) << "the left end, before the text";
    EXPECT_EQ(clBlack, strip.At(box.left - 8, middle)) << "nothing beyond it";
    EXPECT_EQ(clBlack, strip.At(box.right - 2, middle)) << "the short text leaves the rest of the box alone";
  }
}

}  // namespace
}  // namespace quonel
