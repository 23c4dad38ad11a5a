#include "ui/application.h"

#include <ole2.h>

#include <algorithm>
#include <cstdio>

#include "core/exception.h"
#include "ui/display_start.h"
#include "ui/standard_classes.h"

namespace quonel {

TApplication* Application = nullptr;

namespace {

void ReportEscapedException() {
  if (Application) Application->HandleException(std::current_exception());
}

std::wstring ModuleFileName() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::wstring WithFullStop(const std::wstring& message) {
  return !message.empty() && message.back() == L'.' ? message : message + L".";
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
  Application = this;
  const std::wstring path = ModuleFileName();
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  title_ = name.substr(0, name.find_last_of(L'.'));
  SetEscapedExceptionHandler(ReportEscapedException);
}

TApplication::~TApplication() {
  FreePending();
  idleTasks_.clear();
  // Forms and other owned components go before the platform pieces.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  SetEscapedExceptionHandler(nullptr);
  if (oleInitialised_) OleUninitialize();
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize(const std::vector<FontToPrepare>& fonts) {
  StartDisplay(fonts);
  RegisterStandardClasses();
}

void TApplication::InitializeOle() {
  if (!oleInitialised_) oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
}

void TApplication::Notification(TComponent* component, Operation operation) {
  TComponent::Notification(component, operation);
  if (operation == Operation::Remove && component == mainForm_) mainForm_ = nullptr;
}

void TApplication::Run() {
  running_ = true;
  if (mainForm_ && !terminated_) {
    try {
      mainForm_->Show();
    } catch (...) {
      HandleException(std::current_exception());
    }
  }
  while (!terminated_) HandleMessage();
  running_ = false;
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
}

bool TApplication::IsDialogKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  switch (message.wParam) {
    case VK_TAB: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_RETURN: case VK_ESCAPE: case VK_EXECUTE: case VK_CANCEL: break;
    default: return false;
  }
  TWinControl* control = TWinControl::FromHandle(message.hwnd);
  if (!control) return false;
  // A control that wants the key keeps it (a multi-line edit takes Return).
  const LRESULT code = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
  if (code & DLGC_WANTALLKEYS) return false;
  if (message.wParam == VK_TAB && (code & DLGC_WANTTAB)) return false;
  if (message.wParam >= VK_LEFT && message.wParam <= VK_DOWN && (code & DLGC_WANTARROWS)) return false;
  // The key first goes to the control itself, then to its form.
  if (control->Perform(CM_DIALOGKEY, message.wParam, message.lParam)) return true;
  TCustomForm* form = control->GetParentForm();
  return form && form != static_cast<TControl*>(control) &&
         form->Perform(CM_DIALOGKEY, message.wParam, message.lParam) != 0;
}

bool TApplication::IsDialogChar(const MSG& message) {
  if (message.message != WM_SYSCHAR) return false;
  // An Alt+character typed in a control is its form's first: a menu the form
  // shows in a way of its own (not the window's menu, where the platform
  // looks) can open then. Unanswered, the platform's handling follows.
  TWinControl* control = nullptr;
  for (HWND window = message.hwnd; window && !control; window = GetParent(window))
    control = TWinControl::FromHandle(window);
  TCustomForm* form = control ? control->GetParentForm() : nullptr;
  return form && form->HandleAllocated() && form->Perform(CM_DIALOGCHAR, message.wParam, message.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& message) {
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  try {
    handled = IsDialogKey(message) || IsDialogChar(message);
  } catch (...) {
    HandleException(std::current_exception());
    handled = true;
  }
  if (!handled) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  FreePending();
  return true;
}

void TApplication::ProcessMessages() {
  MSG message;
  while (ProcessMessage(message)) {
  }
}

void TApplication::HandleMessage() {
  MSG message;
  if (!ProcessMessage(message) && !terminated_ && !RunIdleTask()) WaitMessage();
}

void TApplication::WhenIdle(TComponent* owner, std::function<void()> task) {
  idleTasks_.push_back({owner, std::move(task)});
}

void TApplication::RunWhenIdle(TComponent* owner, std::function<void()> task) {
  if (Application) Application->WhenIdle(owner, std::move(task));
  else task();
}

void TApplication::ForgetIdleTasks(TComponent* owner) {
  std::erase_if(idleTasks_, [owner](const IdleTask& task) { return task.owner == owner; });
}

bool TApplication::RunIdleTask() {
  if (idleTasks_.empty()) return false;
  const std::function<void()> task = std::move(idleTasks_.front().run);
  idleTasks_.erase(idleTasks_.begin());
  try {
    task();
  } catch (...) {
    HandleException(std::current_exception());
  }
  FreePending();
  return true;
}

void TApplication::FreeAfterMessage(TComponent* component) {
  if (std::find(pendingFree_.begin(), pendingFree_.end(), component) == pendingFree_.end())
    pendingFree_.push_back(component);
}

void TApplication::FreePending() {
  while (!pendingFree_.empty()) {
    TComponent* component = pendingFree_.back();
    pendingFree_.pop_back();
    delete component;
  }
}

void TApplication::DescribeException(std::exception_ptr exception, std::wstring& className, std::wstring& message) {
  try {
    std::rethrow_exception(exception);
  } catch (const Exception& e) {
    className = e.ClassName();
    message = e.Message();
  } catch (const std::bad_alloc&) {
    className = L"EOutOfMemory";
    message = L"Out of memory";
  } catch (const std::exception& e) {
    className = L"Exception";
    const std::string what = e.what();
    message.assign(what.begin(), what.end());
  } catch (...) {
    className = L"Exception";
    message = L"Unknown exception";
  }
}

void TApplication::HandleException(std::exception_ptr exception) {
  std::wstring className, message;
  DescribeException(exception, className, message);
  ShowException(message);
}

void TApplication::ShowException(const std::wstring& message) {
  HWND owner = mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
  MessageBoxW(owner, WithFullStop(message).c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

std::wstring TApplication::StartupErrorText(const std::wstring& className, const std::wstring& module,
                                            const void* address, const std::wstring& message) {
  wchar_t where[32];
  std::swprintf(where, 32, L"%p", address);
  std::wstring text = L"Exception " + className + L" in module " + module + L" at " + where + L".\r\n" + message;
  if (message.empty() || message.back() != L'.') text += L".";
  return text + L"\r\n";
}

void TApplication::ShowStartupException(std::exception_ptr exception) {
  std::wstring className, message;
  DescribeException(exception, className, message);
  const std::wstring path = ModuleFileName();
  // The place of the throw is not kept by C++ exceptions: report the caller's.
  const std::wstring text = StartupErrorText(className, path.substr(path.find_last_of(L"\\/") + 1),
                                             __builtin_return_address(0), message);
  MessageBoxW(nullptr, text.c_str(), L"Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void TApplication::ExitProgram(int code) { ExitProcess(static_cast<UINT>(code)); }

}  // namespace quonel
