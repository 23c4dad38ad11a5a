// The program itself: Update.exe opens the wizard window from its stored
// layout, its skin engine takes the window over, and closing the window ends
// the program with exit code 0.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/test_paths.h"
#include "core/utf8.h"

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

TEST(UpdateExe, OpensTheWizardWindowAndEndsWhenItIsClosed) {
  testing::ChildProcess program(Utf8ToWide(testing::HostPath(QUONEL_UPDATE_EXE)), L"");
  ASSERT_TRUE(program.Started());
  // The window appears once the layout is read; a program that ended early
  // is noticed at once.
  HWND window = nullptr;
  const DWORD deadline = GetTickCount() + 60000;
  DWORD code = 0;
  while (!(window = FindWizardWindow(program.Id())) && GetTickCount() < deadline)
    ASSERT_FALSE(program.WaitForExit(100, code)) << "Update.exe ended with " << code;
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
  // Other programs ask a window 0x3523 to learn whether it is skinned.
  const DWORD skinnedBy = GetTickCount() + 10000;
  while (SendMessageW(window, 0x3523, 0, 0) != 1 && GetTickCount() < skinnedBy)
    ASSERT_FALSE(program.WaitForExit(50, code)) << "Update.exe ended with " << code;
  EXPECT_EQ(1, SendMessageW(window, 0x3523, 0, 0));

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(60000, code));
  EXPECT_EQ(0u, code);
}

}  // namespace
}  // namespace quonel
