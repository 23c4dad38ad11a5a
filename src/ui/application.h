// The application object: initialises the platform pieces the library needs,
// creates forms, runs the message loop, and reports exceptions the way the
// program's users see them.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "core/component.h"
#include "ui/display_start.h"
#include "ui/form.h"

namespace quonel {

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;
  const wchar_t* ClassName() const override { return L"TApplication"; }

  // The library's stored classes, and the platform's drawing and input
  // started (see ui/display_start.h) with the fonts the first window draws.
  void Initialize(const std::vector<FontToPrepare>& fonts = {});
  // OLE on this thread, on its first use: loading it costs more than the
  // first window, so a program that shows a window first starts sooner.
  void InitializeOle();

  // Creates a form owned by the application; the first becomes the main
  // form. An exception while the main form is being built shows the
  // "Application Error" box and ends the program with exit code 1; later
  // ones reach the caller.
  template <class Form>
  void CreateForm(Form*& reference) {
    const bool building = mainForm_ == nullptr && !running_;
    try {
      reference = nullptr;
      auto* form = new Form(this);
      reference = form;
      if (!mainForm_) mainForm_ = form;
      form->AfterConstruction();
    } catch (...) {
      if (!building) throw;
      ShowStartupException(std::current_exception());
      ExitProgram(1);
    }
  }

  // Shows the main form and handles messages until Terminate.
  void Run();
  // Ends the message loop (a WM_QUIT that Run and ProcessMessages see).
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every message waiting now, then returns.
  void ProcessMessages();
  // Handles one message, waiting for it when none is there.
  void HandleMessage();

  TCustomForm* MainForm() const { return mainForm_; }
  // The title of the error boxes: the executable's name without extension.
  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title) { title_ = title; }

  // The standard error box for an exception that ended an action.
  void HandleException(std::exception_ptr exception);
  void ShowException(const std::wstring& message);
  // Frees the form after the message being handled now has returned.
  void FreeAfterMessage(TComponent* component);
  // Runs task once, the next time the message loop finds no message waiting
  // (one task per such moment, so that messages between them are served);
  // an owner that goes first takes its tasks with it.
  void WhenIdle(TComponent* owner, std::function<void()> task);
  void ForgetIdleTasks(TComponent* owner);
  // WhenIdle on the program's application object; at once where there is none.
  static void RunWhenIdle(TComponent* owner, std::function<void()> task);

  // The box text for an exception that escapes while the main form is built.
  static std::wstring StartupErrorText(const std::wstring& className, const std::wstring& module,
                                       const void* address, const std::wstring& message);
  // The text of an exception: its message and class name.
  static void DescribeException(std::exception_ptr exception, std::wstring& className, std::wstring& message);

 protected:
  void Notification(TComponent* component, Operation operation) override;

 private:
  bool ProcessMessage(MSG& message);
  bool IsDialogKey(const MSG& message);
  bool IsDialogChar(const MSG& message);
  void FreePending();
  bool RunIdleTask();
  void ShowStartupException(std::exception_ptr exception);
  [[noreturn]] static void ExitProgram(int code);

  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool running_ = false;
  bool oleInitialised_ = false;
  std::wstring title_;
  std::vector<TComponent*> pendingFree_;
  struct IdleTask {
    TComponent* owner;
    std::function<void()> run;
  };
  std::vector<IdleTask> idleTasks_;
};

// The one application object of the program (set by its constructor).
extern TApplication* Application;

}  // namespace quonel
