// Drives the wizard through its real window for the unattended demo:
// choose a server, "下一步", wait for the run, "完成升级", answer the box.
// Saves a screenshot of each step.  demo_driver.exe UPDATE_EXE SCREENSHOT_DIR
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/window_capture.h"
#include "support/wizard_session.h"
#include "core/ansi_text.h"
#include "core/utf8.h"

namespace {

using namespace quonel::testing;

// Our output goes to a Linux terminal: UTF-8, whatever the ANSI code page.
void Say(const std::wstring& text) {
  const std::string bytes = quonel::WideToUtf8(text) + "\n";
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

class Demo {
 public:
  Demo(const std::wstring& exe, const std::wstring& shots) : exe_(exe), shots_(shots), wizard_(exe) {}

  int Run() {
    if (!wizard_.WaitForWindow(30000)) return Fail("the wizard window did not appear");
    Settle();
    Shot("1-server-page");
    if (wizard_.Servers().empty()) return Fail("no server list");
    wizard_.ChooseServer(0);
    Settle();
    Shot("2-server-chosen");

    for (int attempt = 0; attempt < 3; ++attempt) {
      Say(L"demo: pressing \"" + wizard_.NextCaption() + L"\"");
      wizard_.Press(wizard_.NextButton());
      bool progressShot = false;
      const bool ended = WaitFor(
          [&] {
            AnswerAnyMessageBox();
            const std::wstring caption = wizard_.NextCaption();
            if (!progressShot && caption == L"正下载文件..") {
              // The caption answers before the list's own paint: the picture waits for it.
              WaitFor([&] { return wizard_.RowsPainted(); }, 2000);
              Shot("3-downloading");
              progressShot = true;
            }
            return caption == L"完成升级" || caption == L"继续下载";
          },
          300000);
      if (!ended) return Fail("the run did not end");
      Settle();
      Shot(attempt == 0 ? "4-run-ended" : "4-run-ended-again");
      if (wizard_.NextCaption() == L"完成升级") break;
    }
    if (wizard_.NextCaption() != L"完成升级") return Fail("the run did not offer the update");

    wizard_.Press(wizard_.NextButton());
    const MessageBoxWindow box = wizard_.WaitForMessageBox(30000);
    if (!box.window) return Fail("no message box after \"完成升级\"");
    Settle();
    Shot("5-message-box", box.window);
    Say(L"demo: message box \"" + box.caption + L"\": " + box.text);
    AnswerMessageBox(box, L"");

    DWORD code = 1;
    if (!wizard_.WaitForExit(code, 60000)) return Fail("the wizard did not end after the update");
    std::printf("demo: the wizard ended with exit code %lu\n", code);
    // The client program it started runs on its own; give it time to leave
    // its evidence before the test bench stops every Wine process.
    const std::wstring marker = exe_.substr(0, exe_.find_last_of(L'\\') + 1) + L"client_started.txt";
    WaitFor([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 15000);
    return code == 0 ? 0 : 1;
  }

 private:
  // A box during the run (a failed manifest fetch) is shown, logged, answered.
  void AnswerAnyMessageBox() {
    const MessageBoxWindow box = FindMessageBox(wizard_.ProcessId());
    if (!box.window) return;
    Say(L"demo: message box \"" + box.caption + L"\": " + box.text);
    AnswerMessageBox(box, L"");
  }

  // Lets the wizard repaint after a step before the screenshot.
  void Settle() {
    DWORD_PTR ignored;
    SendMessageTimeoutW(wizard_.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    WaitFor([] { return false; }, 300);
  }

  void Shot(const char* name, HWND window = nullptr) {
    const std::string path = quonel::WideToAnsi(shots_ + L"\\") + name + ".png";
    if (SaveCaptureTo(CaptureWindow(window ? window : wizard_.Window()), path))
      std::printf("demo: screenshot %s\n", path.c_str());
  }

  int Fail(const char* why) {
    std::fprintf(stderr, "demo: %s\n", why);
    if (wizard_.Window()) Shot("failure");
    return 1;
  }

  std::wstring exe_, shots_;
  WizardSession wizard_;
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
