// Drives the wizard through its real window for the unattended demo:
// choose a server, "下一步", wait for the run, "完成升级", answer the box.
// Saves a screenshot of each step.  demo_driver.exe UPDATE_EXE SCREENSHOT_DIR
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/png_writer.h"
#include "support/window_capture.h"
#include "support/window_driver.h"
#include "ui/ansi_text.h"
#include "ui/utf8.h"

namespace {

using namespace quonel::testing;

const wchar_t kCaption[] = L"Quonel加速器升级程序";

// Our output goes to a Linux terminal: UTF-8, whatever the ANSI code page.
void Say(const std::wstring& text) {
  const std::string bytes = quonel::WideToUtf8(text) + "\n";
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

class Demo {
 public:
  Demo(std::wstring exe, std::wstring shots) : exe_(std::move(exe)), shots_(std::move(shots)) {}

  int Run() {
    if (!Start()) return Fail("the wizard did not start");
    if (!WaitFor([&] { return (window_ = FindWizard()) != nullptr; }, 30000))
      return Fail("the wizard window did not appear");
    Settle();
    Shot("1-server-page");

    HWND servers = FindChildByClass(window_, L"listbox");
    if (!servers) return Fail("no server list");
    ClickListItem(servers, 0);
    Settle();
    Shot("2-server-chosen");

    for (int attempt = 0; attempt < 3; ++attempt) {
      HWND next = NextButton();
      if (!next) return Fail("no Next button");
      Say(L"demo: pressing \"" + WindowText(next) + L"\"");
      PostClick(next);
      bool progressShot = false;
      const bool ended = WaitFor(
          [&] {
            AnswerAnyMessageBox();
            const std::wstring caption = WindowText(NextButton());
            if (!progressShot && caption == L"正下载文件..") {
              Shot("3-downloading");
              progressShot = true;
            }
            return caption == L"完成升级" || caption == L"继续下载";
          },
          300000);
      if (!ended) return Fail("the run did not end");
      Settle();
      Shot(attempt == 0 ? "4-run-ended" : "4-run-ended-again");
      if (WindowText(NextButton()) == L"完成升级") break;
    }
    if (WindowText(NextButton()) != L"完成升级") return Fail("the run did not offer the update");

    PostClick(NextButton());
    MessageBoxWindow box;
    if (!WaitFor([&] { return (box = FindMessageBox(processId_)).window != nullptr; }, 30000))
      return Fail("no message box after \"完成升级\"");
    Settle();
    Shot("5-message-box", box.window);
    Say(L"demo: message box \"" + box.caption + L"\": " + box.text);
    AnswerMessageBox(box, L"");

    if (WaitForSingleObject(process_.hProcess, 60000) != WAIT_OBJECT_0)
      return Fail("the wizard did not end after the update");
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    std::printf("demo: the wizard ended with exit code %lu\n", code);
    // The client program it started runs on its own; give it time to leave
    // its evidence before the test bench stops every Wine process.
    const std::wstring marker = exe_.substr(0, exe_.find_last_of(L'\\') + 1) + L"client_started.txt";
    WaitFor([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 15000);
    return code == 0 ? 0 : 1;
  }

  ~Demo() {
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
  }

 private:
  bool Start() {
    const std::wstring folder = exe_.substr(0, exe_.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + exe_ + L"\"";
    STARTUPINFOW startup = {sizeof startup};
    if (!CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process_))
      return false;
    processId_ = process_.dwProcessId;
    return true;
  }

  HWND FindWizard() {
    for (HWND window : TopLevelWindows(processId_))
      if (WindowText(window) == kCaption) return window;
    return nullptr;
  }

  HWND NextButton() {
    for (const wchar_t* caption : {L"下一步", L"正下载文件..", L"完成升级", L"继续下载", L"复制新文件.."})
      if (HWND button = FindChildByText(window_, caption)) return button;
    return nullptr;
  }

  // A box during the run (a failed manifest fetch) is shown, logged, answered.
  void AnswerAnyMessageBox() {
    const MessageBoxWindow box = FindMessageBox(processId_);
    if (!box.window) return;
    Say(L"demo: message box \"" + box.caption + L"\": " + box.text);
    AnswerMessageBox(box, L"");
  }

  // Lets the wizard repaint after a step before the screenshot.
  void Settle() {
    DWORD_PTR ignored;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    WaitFor([] { return false; }, 300);
  }

  void Shot(const char* name, HWND window = nullptr) {
    const std::string path = quonel::WideToAnsi(shots_ + L"\\") + name + ".png";
    if (SaveCaptureTo(CaptureWindow(window ? window : window_), path))
      std::printf("demo: screenshot %s\n", path.c_str());
  }


  int Fail(const char* why) {
    std::fprintf(stderr, "demo: %s\n", why);
    if (window_) Shot("failure");
    return 1;
  }

  std::wstring exe_, shots_;
  PROCESS_INFORMATION process_ = {};
  DWORD processId_ = 0;
  HWND window_ = nullptr;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: demo_driver UPDATE_EXE SCREENSHOT_DIR\n");
    return 2;
  }
  setvbuf(stdout, nullptr, _IONBF, 0);
  return Demo(argv[1], argv[2]).Run();
}
