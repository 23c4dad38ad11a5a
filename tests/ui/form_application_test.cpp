// Forms and the application object: events in their order, the close
// questions, dialog keys, and the two error boxes (answered by a hook that
// reads them).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/message_box_hook.h"
#include "support/test_paths.h"
#include "support/window_capture.h"
#include "ui/application.h"
#include "ui/button.h"
#include "core/conversion.h"
#include "core/utf8.h"

namespace quonel {
namespace {

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override { application.Initialize(); }
  TForm* NewForm() {
    auto* form = new TForm(&application);
    form->SetBounds(40, 40, 300, 200);
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    return form;
  }
  TButton* NewButton(TForm* form, int left, const wchar_t* caption) {
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(left, 10, 60, 24);
    button->SetCaption(caption);
    return button;
  }
  TApplication application;
};

TEST_F(FormTest, CreateShowAndActivateComeInOrderAndTheClientSizeIsKept) {
  std::vector<std::wstring> events;
  TForm* form = nullptr;
  struct TRecordingForm : TForm {
    explicit TRecordingForm(TComponent* owner) : TForm(owner) {
      SetClientWidth(418);
      SetClientHeight(347);
      SetBorderIcons(biSystemMenu | biMinimize);
      SetBorderStyle(TFormBorderStyle::bsSingle);
      SetPosition(TPosition::poScreenCenter);
    }
  };
  TRecordingForm* recording = nullptr;
  application.CreateForm(recording);
  form = recording;
  EXPECT_EQ(form, application.MainForm());
  form->OnShow = [&](TComponent*) { events.push_back(L"show"); };
  form->OnActivate = [&](TComponent*) { events.push_back(L"activate"); };
  form->Show();
  testing::PumpMessages();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(L"show", events[0]);
  EXPECT_EQ(L"activate", events[1]);
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(418, client.right);
  EXPECT_EQ(347, client.bottom);
  EXPECT_EQ(1, Screen().FormCount());
  EXPECT_EQ(form, Screen().Forms(0));
}

TEST_F(FormTest, ControlsWaitingForTheFirstPaintGetTheirWindowsWhenTheLoopIsNextIdle) {
  TForm* form = NewForm();
  TButton* waiting = NewButton(form, 10, L"a");
  TButton* hidden = NewButton(form, 80, L"b");
  waiting->SetWindowAfterFirstPaint(true);
  hidden->SetWindowAfterFirstPaint(true);
  hidden->SetVisible(false);
  form->Show();
  EXPECT_FALSE(waiting->HandleAllocated()) << "not made with its form's window";
  UpdateWindow(form->Handle());
  EXPECT_FALSE(waiting->HandleAllocated()) << "not inside the first paint";
  // The timer only keeps the loop from waiting for ever should nothing be left to do.
  SetTimer(form->Handle(), 1, 10, nullptr);
  for (int i = 0; i < 100 && !waiting->HandleAllocated(); ++i) application.HandleMessage();
  KillTimer(form->Handle(), 1);
  EXPECT_TRUE(waiting->HandleAllocated());
  EXPECT_FALSE(hidden->HandleAllocated()) << "a hidden one waits until it is shown";
  hidden->SetVisible(true);
  EXPECT_TRUE(hidden->HandleAllocated()) << "and is then made like any other";
  EXPECT_EQ(hidden->Handle(), GetNextWindow(waiting->Handle(), GW_HWNDNEXT)) << "in its tab order";
}

TEST_F(FormTest, CloseQueryCanKeepTheFormAndClosingTheMainFormEndsTheLoop) {
  TForm* form = nullptr;
  application.CreateForm(form);
  bool allow = false;
  std::vector<std::wstring> events;
  form->OnCloseQuery = [&](TComponent*, bool& canClose) {
    events.push_back(L"query");
    canClose = allow;
  };
  form->OnClose = [&](TComponent*, TCloseAction&) { events.push_back(L"close"); };
  form->Show();
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ((std::vector<std::wstring>{L"query"}), events);
  EXPECT_TRUE(form->Visible());
  allow = true;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ((std::vector<std::wstring>{L"query", L"query", L"close"}), events);
  EXPECT_FALSE(form->Visible());
  application.Run();  // returns: the close asked the loop to end
  EXPECT_TRUE(application.Terminated());
}

TEST_F(FormTest, TabMovesTheFocusAndReturnClicksTheDefaultButton) {
  TForm* form = NewForm();
  TButton* first = NewButton(form, 10, L"一");
  TButton* second = NewButton(form, 80, L"二");
  int clicks = 0;
  second->SetDefault(true);
  second->OnClick = [&](TComponent*) { ++clicks; };
  // Chosen while the form is not on the screen yet, as a show event does.
  form->OnShow = [&](TComponent*) { second->SetFocus(); };
  form->Show();
  testing::PumpMessages();
  EXPECT_TRUE(second->Focused()) << "the control chosen before the form appeared";
  first->SetFocus();
  ASSERT_TRUE(first->Focused());
  int exits = 0;
  TWndMethod saved = first->WindowProc;
  first->WindowProc = [&](TMessage& message) {
    if (message.Msg == CM_EXIT) ++exits;
    saved(message);
  };
  PostMessageW(first->Handle(), WM_KEYDOWN, VK_TAB, 0);
  application.ProcessMessages();
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(1, exits) << "the control that lost the focus hears CM_EXIT";
  EXPECT_EQ(second, form->ActiveControl()) << "the form followed CM_FOCUSCHANGED";
  first->WindowProc = saved;
  first->SetFocus();
  PostMessageW(first->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  application.ProcessMessages();
  EXPECT_EQ(1, clicks);
}

TEST_F(FormTest, AnExceptionInAnEventHandlerShowsTheStandardErrorBoxAndEndsOnlyThatAction) {
  testing::MessageBoxAnswerer answerer(IDOK);
  TForm* form = nullptr;
  application.CreateForm(form);
  TButton* button = NewButton(form, 10, L"转换");
  int finished = 0;
  button->OnClick = [&](TComponent*) {
    StrToInt(L"abc");
    ++finished;
  };
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(0, finished) << "the rest of the handler does not run";
  ASSERT_EQ(1u, answerer.Boxes().size());
  EXPECT_EQ(L"'abc' is not a valid integer value.", answerer.Boxes()[0].text);
  EXPECT_EQ(application.Title(), answerer.Boxes()[0].caption);
  EXPECT_EQ(L"form_application_test", application.Title());
  // The program goes on: the next click shows the next box.
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(2u, answerer.Boxes().size());
}

TEST(StartupError, TextNamesClassModuleAddressAndEndsTheMessageWithAFullStop) {
  const int place = 0;
  const std::wstring text =
      TApplication::StartupErrorText(L"EOleSysError", L"Update.exe", &place, L"Class not registered");
  EXPECT_EQ(0u, text.find(L"Exception EOleSysError in module Update.exe at "));
  EXPECT_NE(std::wstring::npos, text.find(L".\r\nClass not registered.\r\n"));
  const std::wstring stopped = TApplication::StartupErrorText(L"E", L"m", &place, L"Done.");
  EXPECT_EQ(L"Done.\r\n", stopped.substr(stopped.size() - 7)) << "no second full stop";
}

// The child builds a main form that fails; it answers the box itself (a hook
// works only on its own thread) and writes what the box said.
TEST(StartupError, AFailingMainFormShowsApplicationErrorAndEndsTheProgramWithCodeOne) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring child = self;
  child = child.substr(0, child.find_last_of(L'\\') + 1) + L"application_error_child.exe";
  const std::string report = testing::TestOutputDir() + "\\application_error_box.txt";
  DeleteFileA(report.c_str());
  testing::ChildProcess program(child, L"\"" + Utf8ToWide(report) + L"\"");
  ASSERT_TRUE(program.Started());
  DWORD code = 0;
  ASSERT_TRUE(program.WaitForExit(60000, code));
  EXPECT_EQ(1u, code);
  const std::wstring box = Utf8ToWide(testing::ReadTextFile(report));
  EXPECT_EQ(0u, box.find(L"Application Error\n")) << WideToUtf8(box);
  EXPECT_NE(std::wstring::npos, box.find(L"Exception EOleSysError in module application_error_child.exe at "));
  EXPECT_NE(std::wstring::npos, box.find(L".\r\nClass not registered.\r\n"));
}

}  // namespace
}  // namespace quonel
