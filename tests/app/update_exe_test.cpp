// The program itself: Update.exe opens the wizard window from its stored
// layout, and closing the window ends the program with exit code 0.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/test_paths.h"

namespace quonel {
namespace {

struct WizardSearch {
  DWORD processId;
  HWND window = nullptr;
};

HWND FindWizardWindow(DWORD processId) {
  WizardSearch search{processId};
  EnumWindows(
      [](HWND window, LPARAM found) -> BOOL {
        auto* search = reinterpret_cast<WizardSearch*>(found);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        if (owner != search->processId || lstrcmpW(className, L"TForm_Update") != 0 || !IsWindowVisible(window))
          return TRUE;
        search->window = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.window;
}

// Ends the program when a test fails before it could close it.
class ProcessGuard {
 public:
  explicit ProcessGuard(const PROCESS_INFORMATION& process) : process_(process) {}
  ~ProcessGuard() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

 private:
  PROCESS_INFORMATION process_;
};

TEST(UpdateExe, OpensTheWizardWindowAndEndsWhenItIsClosed) {
  const std::string exe = testing::HostPath(QUONEL_UPDATE_EXE);
  std::string command = "\"" + exe + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  ProcessGuard guard(process);
  // The window appears once the layout is read; waiting on the process
  // handle also notices a program that ended early.
  HWND window = nullptr;
  const DWORD deadline = GetTickCount() + 60000;
  while (!(window = FindWizardWindow(process.dwProcessId)) && GetTickCount() < deadline)
    ASSERT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(process.hProcess, 100)) << "Update.exe ended";
  ASSERT_NE(nullptr, window);
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  EXPECT_STREQ(L"Quonel加速器升级程序", caption);
  EXPECT_TRUE(IsWindowVisible(window));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(418, client.right);
  EXPECT_EQ(347, client.bottom);
  HWND next = FindWindowExW(window, nullptr, L"TButton", L"下一步");
  EXPECT_NE(nullptr, next);

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000));
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(0u, code);
}

}  // namespace
}  // namespace quonel
