// Message routing through WindowProc, control notifications, reflected
// notifications, ownership of windows, and re-created windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/memory_dc.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/gauge.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/notebook.h"

namespace quonel {
namespace {

// Records the messages a control's WindowProc sees, then passes them on.
class Recorder {
 public:
  explicit Recorder(TControl& control) : control_(control), saved_(control.WindowProc) {
    control.WindowProc = [this](TMessage& message) {
      seen.push_back(message.Msg);
      if (message.Msg == swallow) return;
      saved_(message);
    };
  }
  ~Recorder() { control_.WindowProc = saved_; }
  int Count(UINT msg) const { return static_cast<int>(std::count(seen.begin(), seen.end(), msg)); }

  std::vector<UINT> seen;
  UINT swallow = 0;

 private:
  TControl& control_;
  TWndMethod saved_;
};

bool HasVisibleStyle(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    application.Initialize();
    form = new TForm(&application);
    form->SetBounds(50, 50, 300, 200);
    button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 24);
    button->SetCaption(L"按钮");
    label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(10, 60, 100, 20);
    label->SetCaption(L"标签");
    // The form stays hidden: showing and hiding a top-level window costs
    // seconds under Xvfb without a window manager, and these tests need no screen.
    form->Handle();
  }
  void TearDown() override { delete form; }

  TApplication application;
  TForm* form = nullptr;
  TButton* button = nullptr;
  TLabel* label = nullptr;
};

TEST_F(ControlTest, EveryWindowMessageReachesAReplacedWindowProcAndRestoringKeepsTheControlWorking) {
  int clicks = 0;
  button->OnClick = [&](TComponent* sender) {
    EXPECT_EQ(button, sender);
    ++clicks;
  };
  {
    Recorder recorder(*button);
    SetWindowTextW(button->Handle(), L"新");
    SendMessageW(button->Handle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(1, recorder.Count(WM_SETTEXT));
    EXPECT_EQ(1, recorder.Count(WM_USER + 7));
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(1, recorder.Count(CN_COMMAND)) << "the parent reflects the click back";
    EXPECT_EQ(1, clicks);

    // What the replacement keeps to itself never reaches the control.
    recorder.swallow = WM_SETTEXT;
    SetWindowTextW(button->Handle(), L"swallowed");
    EXPECT_EQ(L"新", button->Caption());
  }
  // Restored: nothing records any more, and the control behaves as before.
  SetWindowTextW(button->Handle(), L"回来");
  EXPECT_EQ(L"回来", button->Caption());
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(2, clicks);
}

TEST_F(ControlTest, PerformGoesThroughWindowProcForWindowlessControlsToo) {
  Recorder recorder(*label);
  EXPECT_EQ(0, label->Perform(CM_DIALOGKEY, VK_RETURN));
  EXPECT_EQ(1, recorder.Count(CM_DIALOGKEY));
  // The parent paints its windowless children through their WindowProc.
  testing::MemoryDc memory(300, 200);
  memory.PrintClient(form->Handle());
  EXPECT_EQ(1, recorder.Count(WM_PAINT));
  int dark = 0;  // the label's text, drawn at its place
  for (int y = 60; y < 80; ++y)
    for (int x = 10; x < 110; ++x) dark += memory.Pixel(x, y) == RGB(0, 0, 0) ? 1 : 0;
  EXPECT_GT(dark, 10);
}

TEST_F(ControlTest, EnabledAndVisibleChangesNotifyOnceAndReachTheWindow) {
  Recorder recorder(*button);
  button->SetEnabled(false);
  button->SetEnabled(false);
  EXPECT_EQ(1, recorder.Count(CM_ENABLEDCHANGED));
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));
  EXPECT_GE(recorder.Count(WM_ENABLE), 1) << "the platform's own notice passes too";
  button->SetVisible(false);
  EXPECT_EQ(1, recorder.Count(CM_VISIBLECHANGED));
  EXPECT_FALSE(HasVisibleStyle(button->Handle()));
  button->SetVisible(true);
  button->SetEnabled(true);
  EXPECT_EQ(2, recorder.Count(CM_VISIBLECHANGED));
  EXPECT_TRUE(HasVisibleStyle(button->Handle()));
  EXPECT_TRUE(IsWindowEnabled(button->Handle()));
}

TEST_F(ControlTest, MouseEnterAndLeaveFollowThePointerAcrossWindowedAndWindowlessControls) {
  Recorder buttonRecorder(*button);
  Recorder labelRecorder(*label);
  SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
  EXPECT_EQ(1, buttonRecorder.Count(CM_MOUSEENTER));
  EXPECT_EQ(button, MouseControl());
  // Onto the label, which has no window: its parent tells it.
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 65));
  EXPECT_EQ(1, buttonRecorder.Count(CM_MOUSELEAVE));
  EXPECT_EQ(1, labelRecorder.Count(CM_MOUSEENTER));
  EXPECT_GE(labelRecorder.Count(WM_MOUSEMOVE), 1);
  SendMessageW(form->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(1, labelRecorder.Count(CM_MOUSELEAVE));
  EXPECT_EQ(nullptr, MouseControl());
}

TEST_F(ControlTest, NotificationsOfStandardControlsComeBackAsReflectedMessages) {
  auto* list = new TListView(form);
  list->SetParent(form);
  list->SetBounds(100, 10, 150, 100);
  auto* column = new TListColumn(list);
  column->caption = L"文件名";
  list->AddColumn(column);
  Recorder recorder(*list);
  list->AddItem(L"a.exe");
  EXPECT_GE(recorder.Count(CN_NOTIFY), 1) << "WM_NOTIFY of the list view, reflected";
  EXPECT_EQ(0xBC4Eu, CN_NOTIFY);
  EXPECT_EQ(0xBD15u, CN_VSCROLL);
}

TEST_F(ControlTest, ARecreatedWindowKeepsTextAndTheReplacedWindowProc) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(100, 60, 120, 20);
  SetWindowTextW(edit->Handle(), L"typed 文字");
  HWND before = edit->Handle();
  Recorder recorder(*edit);
  edit->RecreateWnd();
  EXPECT_EQ(1, recorder.Count(CM_RECREATEWND));
  EXPECT_FALSE(IsWindow(before));
  EXPECT_TRUE(IsWindow(edit->Handle()));
  EXPECT_EQ(nullptr, TWinControl::FromHandle(before)) << "a destroyed window no longer leads to the control";
  EXPECT_EQ(edit, TWinControl::FromHandle(edit->Handle()));
  EXPECT_EQ(L"typed 文字", edit->Text());
  const size_t seen = recorder.seen.size();
  SendMessageW(edit->Handle(), WM_USER + 1, 0, 0);
  EXPECT_GT(recorder.seen.size(), seen) << "the new window's messages reach the replacement";
}

TEST_F(ControlTest, DestroyingAControlTakesItsWindowAndItsPlaceInTheParent) {
  HWND window = button->Handle();
  EXPECT_EQ(button, TWinControl::FromHandle(window));
  const int before = form->ControlCount();
  delete button;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(nullptr, TWinControl::FromHandle(window));
  EXPECT_EQ(before - 1, form->ControlCount());
}

TEST_F(ControlTest, AWindowDestroyedBehindTheControlsBackNoLongerLeadsToIt) {
  HWND window = button->Handle();
  DestroyWindow(window);
  EXPECT_EQ(nullptr, TWinControl::FromHandle(window));
  EXPECT_FALSE(button->HandleAllocated());
  // A window made afterwards, perhaps under the same handle value, is not taken for the button.
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form->Handle(), nullptr, nullptr, nullptr);
  EXPECT_EQ(nullptr, TWinControl::FromHandle(other));
  DestroyWindow(other);
}

TEST_F(ControlTest, GaugeDrawsBackgroundBarAndClampedProgress) {
  auto* gauge = new TGauge(form);
  gauge->SetParent(form);
  gauge->SetBounds(0, 100, 200, 20);
  gauge->SetBackColor(0xF0FBFF);
  gauge->SetForeColor(clBlue);
  gauge->SetShowText(false);
  gauge->SetProgress(250);
  EXPECT_EQ(100, gauge->Progress());
  gauge->SetProgress(50);
  testing::MemoryDc memory(300, 200);
  memory.PrintClient(form->Handle());
  EXPECT_EQ(RGB(0, 0, 255), memory.Pixel(50, 110)) << "the done half";
  EXPECT_EQ(RGB(255, 251, 240), memory.Pixel(150, 110)) << "the rest";
  EXPECT_EQ(RGB(0, 0, 0), memory.Pixel(0, 100)) << "the border";
  EXPECT_EQ(50, gauge->PercentDone());
}

// The percentage stays readable on any part of the bar: dark over the empty
// part, in the background's colour over the filled part.
TEST_F(ControlTest, GaugeTextTakesTheBackgroundColourOverTheBar) {
  auto* gauge = new TGauge(form);
  gauge->SetParent(form);
  gauge->SetBounds(0, 100, 200, 20);
  gauge->SetBackColor(0xF0FBFF);
  gauge->SetForeColor(clBlue);
  gauge->SetShowText(true);
  gauge->Font().SetColor(clBlack);
  const auto countInside = [&](auto&& test) {
    testing::MemoryDc memory(300, 200);
    memory.PrintClient(form->Handle());
    int count = 0;
    for (int y = 102; y < 118; ++y)
      for (int x = 2; x < 198; ++x) count += test(memory.Pixel(x, y)) ? 1 : 0;
    return count;
  };
  const auto dark = [](COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; };
  const auto light = [](COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) > 150; };
  gauge->SetProgress(0);
  EXPECT_GT(countInside(dark), 5) << "\"0%\" over the empty bar";
  gauge->SetProgress(100);
  EXPECT_EQ(0, countInside(dark)) << "no dark text over the full bar";
  EXPECT_GT(countInside(light), 5) << "\"100%\" in the background's colour";
}

TEST_F(ControlTest, NotebookShowsOnePageAndIgnoresMissingPages) {
  auto* notebook = new TNotebook(form);
  notebook->SetParent(form);
  notebook->SetBounds(0, 100, 200, 80);
  int changes = 0;
  notebook->OnPageChanged = [&](TComponent*) { ++changes; };
  TPage* first = notebook->AddPage(L"Default");
  TPage* second = notebook->AddPage(L"nextpage");
  EXPECT_EQ(0, notebook->PageIndex());
  EXPECT_EQ(1, changes);
  notebook->SetPageIndex(1);
  EXPECT_EQ(2, changes);
  EXPECT_FALSE(HasVisibleStyle(first->Handle()));
  EXPECT_TRUE(HasVisibleStyle(second->Handle()));
  notebook->SetPageIndex(2);
  notebook->SetPageIndex(-1);
  EXPECT_EQ(1, notebook->PageIndex());
  EXPECT_EQ(2, changes) << "a missing page raises no event";
  EXPECT_TRUE(HasVisibleStyle(second->Handle()));
  EXPECT_EQ(L"nextpage", notebook->ActivePage());
}

}  // namespace
}  // namespace quonel
