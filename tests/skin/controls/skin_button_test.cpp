// Push buttons under the skin: the frame of each state against the skin's
// own strip, the caption's focus rectangle, the click rules (one click per
// press, none after leaving, none for a disabled button), and the skin's
// arrival and departure leaving the button working.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "skin/controls/buttons/skin_button.h"
#include "skin/controls/skinned_controls_fixture.h"
#include "skin/skin_messages.h"
#include "ui/button.h"

namespace quonel::testing {
namespace {

constexpr int kWidth = 87, kHeight = 23;  // the wizard's buttons
constexpr int kEdgeBand = 6;              // columns clear of the caption

class SkinButton : public SkinnedControls {
 protected:
  TButton* AddButton(const std::wstring& caption, int left = 167) {
    TButton* button = Add<TButton>(left, 150, kWidth, kHeight, caption);
    button->OnClick = [this](TComponent*) { ++clicks; };
    return button;
  }
  std::unique_ptr<TSkinButton> Skin(TButton* button) {
    auto skin = std::make_unique<TSkinButton>();
    skin->Attach(button, &Data(), nullptr, false);
    return skin;
  }
  int ShownFrame(HWND window) {
    const Picture printed = Print(window);
    for (int frame = 1; frame <= 5; ++frame)
      if (EdgeDifferences(printed, ButtonFrame(kWidth, kHeight, frame), kEdgeBand) == 0) return frame;
    return 0;
  }
  static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
  // A press and a release over the button, through the message queue.
  static void PostClick(HWND window) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    PostMessageW(window, WM_LBUTTONUP, 0, At(10, 10));
    PumpMessages();
  }

  int clicks = 0;
};

TEST_F(SkinButton, TheFiveFramesOfTheStripAreTellApartAtTheButtonsEdges) {
  for (int a = 1; a <= 5; ++a)
    for (int b = a + 1; b <= 5; ++b)
      EXPECT_GT(EdgeDifferences(ButtonFrame(kWidth, kHeight, a), ButtonFrame(kWidth, kHeight, b), kEdgeBand), 0)
          << a << " " << b;
}

TEST_F(SkinButton, EachStateShowsItsFrameOnScreenAndInPrint) {
  TButton* next = AddButton(L"下一步");
  TButton* previous = AddButton(L"上一步", 16);
  previous->SetEnabled(false);
  auto nextSkin = Skin(next);
  auto previousSkin = Skin(previous);

  EXPECT_EQ(1, ShownFrame(next->Handle()));
  EXPECT_EQ(3, ShownFrame(previous->Handle()));
  const Picture normal = Print(next->Handle());
  const Capture screen = ScreenWhen(next->Handle(), [&](const Capture& c) { return SameAs(c, normal); });
  EXPECT_TRUE(SameAs(screen, normal)) << "WM_PAINT draws what WM_PRINTCLIENT draws";
  SaveCapture(CaptureWindow(form->Handle()), "skin_buttons_normal_disabled");

  // Hover: frame 4; a disabled button stays at 3 whatever the pointer does.
  SendMessageW(next->Handle(), WM_MOUSEMOVE, 0, At(10, 10));
  SendMessageW(previous->Handle(), WM_MOUSEMOVE, 0, At(10, 10));
  EXPECT_EQ(4, ShownFrame(next->Handle()));
  EXPECT_EQ(3, ShownFrame(previous->Handle()));
  SendMessageW(next->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(1, ShownFrame(next->Handle()));

  // Focus: frame 5; pressed: frame 2 while held.
  SetFocus(next->Handle());
  ASSERT_EQ(next->Handle(), GetFocus());
  EXPECT_EQ(5, ShownFrame(next->Handle()));
  SendMessageW(next->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  EXPECT_EQ(2, ShownFrame(next->Handle()));
  SendMessageW(next->Handle(), WM_LBUTTONUP, 0, At(10, 10));
  EXPECT_EQ(5, ShownFrame(next->Handle()));
  EXPECT_EQ(1, clicks);
}

TEST_F(SkinButton, AFocusedButtonFramesItsCaptionUnlessTheSkinSaysNo) {
  TButton* next = AddButton(L"下一步");
  auto skin = Skin(next);
  SetFocus(next->Handle());
  const Picture withRect = Print(next->Handle());
  SaveCapture(ScreenWhen(next->Handle(), [&](const Capture& c) { return SameAs(c, withRect); }), "skin_button_focused");
  Data().SetOptions(kDefaultSkinOptions | SetBit(xoNoFocusRect));
  const Picture without = Print(next->Handle());
  EXPECT_EQ(0, EdgeDifferences(without, ButtonFrame(kWidth, kHeight, 5), kEdgeBand));

  // Every difference lies on the outline of one rectangle around the caption.
  RECT box{kWidth, kHeight, -1, -1};
  int differences = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (withRect.At(x, y) != without.At(x, y)) {
        ++differences;
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
               std::max<LONG>(box.bottom, y)};
      }
  ASSERT_GT(differences, 20);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (withRect.At(x, y) != without.At(x, y)) {
        EXPECT_TRUE(x == box.left || x == box.right || y == box.top || y == box.bottom) << x << "," << y;
      }
  EXPECT_GT(box.left, kEdgeBand);
  EXPECT_LT(box.right, kWidth - kEdgeBand);
  EXPECT_LT(box.left, kWidth / 2 - 10);
  EXPECT_GT(box.right, kWidth / 2 + 10);
}

TEST_F(SkinButton, OnePressGivesOneClickOnlyWhenReleasedOverTheButton) {
  TButton* next = AddButton(L"下一步");
  auto skin = Skin(next);
  const HWND window = next->Handle();

  PostClick(window);
  EXPECT_EQ(1, clicks) << "one posted click";

  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  PostMessageW(window, WM_MOUSELEAVE, 0, 0);
  PostMessageW(window, WM_LBUTTONUP, 0, At(10, 10));
  PumpMessages();
  EXPECT_EQ(1, clicks) << "leaving the button cancels the press";

  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(kWidth + 30, 10));
  PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(10, 10));
  PostMessageW(window, WM_LBUTTONUP, 0, At(10, 10));
  PumpMessages();
  EXPECT_EQ(1, clicks) << "the captured pointer left the button";

  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  PostMessageW(window, WM_LBUTTONUP, 0, At(kWidth + 30, 10));
  PumpMessages();
  EXPECT_EQ(1, clicks) << "released outside";
  EXPECT_NE(window, GetCapture());

  // The keyboard and BM_CLICK click through the button's own handling, once.
  SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(window, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(2, clicks);
  SendMessageW(window, BM_CLICK, 0, 0);
  EXPECT_EQ(3, clicks);
}

TEST_F(SkinButton, APressNeverSticksAndADisabledButtonNeverClicks) {
  TButton* next = AddButton(L"下一步");
  auto skin = Skin(next);
  const HWND window = next->Handle();

  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  EXPECT_EQ(window, GetCapture()) << "the press holds the mouse";
  EXPECT_EQ(2, ShownFrame(window));
  SetCapture(form->Handle());  // someone else takes the mouse
  ReleaseCapture();
  EXPECT_NE(2, ShownFrame(window));
  SendMessageW(window, WM_LBUTTONUP, 0, At(10, 10));
  EXPECT_EQ(0, clicks);

  next->SetEnabled(false);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  PostMessageW(window, WM_LBUTTONUP, 0, At(10, 10));
  PostMessageW(window, BM_CLICK, 0, 0);
  PostMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
  PostMessageW(window, WM_KEYUP, VK_SPACE, 0);
  PumpMessages();
  EXPECT_EQ(0, clicks);
  EXPECT_EQ(3, ShownFrame(window));
  EXPECT_NE(window, GetCapture());
}

TEST_F(SkinButton, TheButtonsOwnTimersSurviveTheSkin) {
  TButton* next = AddButton(L"下一步");
  int timerMessages = 0;
  next->WindowProc = [&timerMessages, saved = next->WindowProc](TMessage& m) {
    if (m.Msg == WM_TIMER) ++timerMessages;
    saved(m);
  };
  auto skin = Skin(next);
  // An hour: the timer never fires during the test, it only has to exist.
  ASSERT_TRUE(SetTimer(next->Handle(), 1, 3600 * 1000, nullptr));
  SendMessageW(next->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(1, timerMessages) << "the button's own handling saw its timer";
  EXPECT_TRUE(KillTimer(next->Handle(), 1)) << "timer 1 of the button is still there";
}

TEST_F(SkinButton, SwitchedOffTheButtonLooksAndWorksAsWithoutTheSkin) {
  TButton* next = AddButton(L"下一步");
  const Picture unskinned = Print(next->Handle());
  const Capture unskinnedScreen = ScreenWhen(next->Handle(), [&](const Capture& c) { return SameAs(c, unskinned); });
  ASSERT_TRUE(SameAs(unskinnedScreen, unskinned));
  auto skin = Skin(next);
  EXPECT_EQ(1, SendMessageW(next->Handle(), SKM_ISSKINNED, 0, 0));
  EXPECT_GT(EdgeDifferences(Print(next->Handle()), unskinned, kEdgeBand), 0);

  SendMessageW(next->Handle(), SKM_ENABLE, 0, 0);
  EXPECT_EQ(0, EdgeDifferences(Print(next->Handle()), unskinned, kWidth));
  EXPECT_TRUE(SameAs(ScreenWhen(next->Handle(), [&](const Capture& c) { return SameAs(c, unskinned); }), unskinned));
  EXPECT_EQ(0, SendMessageW(next->Handle(), SKM_ISSKINNED, 0, 0));
  PostClick(next->Handle());
  EXPECT_EQ(1, clicks) << "the button's own click";

  SendMessageW(next->Handle(), SKM_ENABLE, 1, 0);
  EXPECT_EQ(5, ShownFrame(next->Handle())) << "skinned again, focused by the click";
}

TEST_F(SkinButton, FreeingTheSkinGivesTheButtonBackWorking) {
  TButton* next = AddButton(L"下一步");
  const Picture unskinned = Print(next->Handle());
  auto skin = Skin(next);
  skin->Attach(next, &Data(), nullptr, false);  // a second attachment changes nothing
  skin.reset();
  EXPECT_EQ(0, SendMessageW(next->Handle(), SKM_ISSKINNED, 0, 0));
  EXPECT_EQ(0, EdgeDifferences(Print(next->Handle()), unskinned, kWidth));
  PostClick(next->Handle());
  EXPECT_EQ(1, clicks);
}

// A form may drop a control's skin from inside one of the control's own
// messages; nothing of the freed skin may run when that message returns.
TEST_F(SkinButton, ASkinFreedInsideItsControlsOwnMessageIsNotTouchedAfterwards) {
  struct CountingSkin : TSkinControl {
    explicit CountingSkin(int* calls) : afterCalls(calls) {}
    void AfterMessage(TMessage& message) override {
      ++*afterCalls;
      TSkinControl::AfterMessage(message);
    }
    int* afterCalls;
  };
  constexpr UINT kOrdinary = WM_APP + 7, kDropSkin = WM_APP + 8;
  TButton* next = AddButton(L"下一步");
  std::unique_ptr<CountingSkin> skin;
  next->WindowProc = [&skin, saved = next->WindowProc](TMessage& m) {
    if (m.Msg == kDropSkin) skin.reset();
    saved(m);
  };
  int afterCalls = 0;
  skin = std::make_unique<CountingSkin>(&afterCalls);
  skin->Attach(next, &Data(), nullptr, false);
  SendMessageW(next->Handle(), kOrdinary, 0, 0);
  ASSERT_EQ(1, afterCalls) << "an ordinary message runs the skin's after-handling";
  SendMessageW(next->Handle(), kDropSkin, 0, 0);
  EXPECT_FALSE(skin);
  EXPECT_EQ(1, afterCalls) << "the freed skin ran after its control's message";
  PostClick(next->Handle());
  EXPECT_EQ(1, clicks) << "the button still works";
}

TEST_F(SkinButton, ALaterWindowProcOnTopIsNeverUndoneByTheSkin) {
  TButton* next = AddButton(L"下一步");
  const Picture unskinned = Print(next->Handle());
  auto skin = Skin(next);
  int seen = 0;
  next->WindowProc = [&seen, saved = next->WindowProc](TMessage& m) {
    ++seen;
    saved(m);
  };
  skin.reset();
  const int before = seen;
  EXPECT_EQ(0, SendMessageW(next->Handle(), SKM_ISSKINNED, 0, 0)) << "the skin only passes messages on";
  EXPECT_GT(seen, before) << "the later handler is still in place";
  EXPECT_EQ(0, EdgeDifferences(Print(next->Handle()), unskinned, kWidth));
  PostClick(next->Handle());
  EXPECT_EQ(1, clicks);
}

TEST_F(SkinButton, TheSkinLeavesWithTheWindowAndAHiddenButtonIsSkinnedWhenItsWindowComes) {
  TButton* gone = AddButton(L"中断下载");
  auto goneSkin = Skin(gone);
  gone->Handle();
  delete gone;  // window and control go first, the skin stays for its owner to free
  EXPECT_EQ(TSkinControl::kWindowGone, goneSkin->GetLifeState());
  goneSkin.reset();

  TButton* hidden = AddButton(L"下一步");
  hidden->SetVisible(false);
  hidden->DestroyHandle();
  auto skin = Skin(hidden);
  EXPECT_FALSE(hidden->HandleAllocated()) << "attaching does not make the window";
  hidden->SetVisible(true);
  ASSERT_TRUE(hidden->HandleAllocated());
  EXPECT_EQ(1, ShownFrame(hidden->Handle()));

  const HWND bare = CreateWindowExW(0, L"BUTTON", L"确定", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, kWidth,
                                    kHeight, form->Handle(), reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
  TSkinButton bareSkin;
  bareSkin.AttachHandle(bare, &Data(), nullptr);
  EXPECT_EQ(1, ShownFrame(bare));
  int commands = 0;
  form->WindowProc = [&commands, bare, saved = form->WindowProc](TMessage& m) {
    if (m.Msg == WM_COMMAND && m.WParam == MAKEWPARAM(IDOK, BN_CLICKED) && m.LParam == reinterpret_cast<LPARAM>(bare))
      ++commands;
    saved(m);
  };
  PostClick(bare);
  EXPECT_EQ(1, commands) << "a bare button tells its parent once";
  DestroyWindow(bare);
  EXPECT_EQ(TSkinControl::kWindowGone, bareSkin.GetLifeState());
}

}  // namespace
}  // namespace quonel::testing
