// End-to-end driving of Update.exe: a client installation laid out in a
// scratch folder, the wizard started in it as its own process, and its real
// window read and pressed from outside (buttons, server list, file rows and
// their state images, the hidden log, message boxes). Used by the end-to-end
// tests and the benchmarks, and fit for the demo driver.
#pragma once
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/scratch_folder.h"
#include "support/window_driver.h"
#include "core/ansi_text.h"

namespace quonel::testing {

// The wizard window's caption.
inline constexpr wchar_t kWizardCaption[] = L"Quonel加速器升级程序";

// A local wall-clock time. Seconds should be even: file times are compared
// in the two-second steps of the file-age query.
SYSTEMTIME LocalTime(int year, int month, int day, int hour, int minute, int second);
// Sets a file's last-write time to a local wall-clock time; false when it cannot.
bool SetLastWriteTime(const std::filesystem::path& file, const SYSTEMTIME& local);
// The manifest's `datetime` text of t in the Simplified Chinese short date
// and time form, e.g. "2026/12/7 9:05:00".
std::wstring ManifestDateTime(const SYSTEMTIME& t);

struct ManifestFile {
  std::wstring section;   // path relative to the installation
  std::wstring name;      // the row caption
  std::wstring datetime;  // as written
  std::wstring extra = {};  // further lines, each "key=value\r\n"
};
// The manifest as the server publishes it: GB2312 INI text.
std::string ManifestText(const std::vector<ManifestFile>& files);

struct UpdateServer {
  std::wstring name;
  std::wstring address;
};

// scratch\app\ with a copy of Update.exe, update\ and backup\. The scratch
// folder around it lets a test see that nothing was written beside the
// installation.
class ClientInstallation {
 public:
  explicit ClientInstallation(const std::wstring& updateExe);

  const std::filesystem::path& Root() const { return root_; }
  const std::filesystem::path& Scratch() const { return scratch_.path(); }
  std::filesystem::path Exe() const { return root_ / L"Update.exe"; }

  // config.ini in GB2312: [config] SubSys, exe; [update] the servers in order.
  void WriteConfig(const std::wstring& subSys, const std::wstring& exe, const std::vector<UpdateServer>& servers);
  // A file below the installation, created with its folders; with lastWrite
  // its last-write time is set to that local time.
  void WriteFile(const std::filesystem::path& relative, const std::string& bytes);
  void WriteFile(const std::filesystem::path& relative, const std::string& bytes, const SYSTEMTIME& lastWrite);
  void CopyIn(const std::filesystem::path& source, const std::filesystem::path& relative);
  std::string Read(const std::filesystem::path& relative) const;
  bool Exists(const std::filesystem::path& relative) const;
  // Every file below the scratch folder, relative to it, sorted.
  std::vector<std::wstring> AllFiles() const;

 private:
  ScratchFolder scratch_;
  std::filesystem::path root_;
};

struct FileRow {
  std::wstring caption;  // "文件名"
  std::wstring date;     // "修改日期"
  std::wstring verdict;  // "本地状态"
  int stateImage = -1;   // the picture shown: -1 none, 0..3
  int image = -1;        // the item's image index
};

class WizardSession {
 public:
  // Starts exe in workingDirectory (its own folder when empty).
  explicit WizardSession(const std::filesystem::path& exe, const std::filesystem::path& workingDirectory = {});
  // Ends the program by force when the test left it running.
  ~WizardSession() = default;

  DWORD ProcessId() const { return process_.Id(); }
  // Waits for the wizard window to be shown; false after the deadline or
  // when the program ended first.
  bool WaitForWindow(int timeoutMs = 60000);
  HWND Window() const { return window_; }

  // The three buttons, left to right: "上一步", the Next button, "中断下载".
  HWND PreButton() const { return Buttons()[0]; }
  HWND NextButton() const { return Buttons()[1]; }
  HWND AbortButton() const { return Buttons()[2]; }
  std::wstring NextCaption() const { return WindowText(NextButton()); }
  bool Enabled(HWND control) const { return IsWindowEnabled(control) != FALSE; }
  void Press(HWND button) const { PostClick(button); }
  bool WaitForNextCaption(const std::wstring& caption, int timeoutMs = 60000) const;
  // The usual run: waits for the window, presses the Next button on the server
  // page and waits until the run ends with that caption on it.
  bool RunFromServerPage(const std::wstring& endCaption, int timeoutMs = 60000);

  // Server page.
  bool ServerPageShown() const;
  bool ProgressPageShown() const;
  // The file list has nothing left to paint (a screen picture shows its rows).
  bool RowsPainted() const;
  std::vector<std::wstring> Servers() const;
  int SelectedServer() const;  // -1 for none
  void ChooseServer(int index) const;
  std::wstring ServerAddress() const;  // the hidden Edt_url

  // Progress page.
  std::vector<FileRow> Rows() const;
  // Each row's state picture (kTick, kCross...), in row order.
  std::vector<int> RowStates() const;
  // The hidden log's non-empty lines.
  std::vector<std::wstring> LogLines() const;
  bool LogHas(const std::wstring& line) const;

  // The first message box of the program, waited for up to timeoutMs.
  MessageBoxWindow WaitForMessageBox(int timeoutMs = 30000) const;
  // Sends WM_CLOSE as the close box does.
  void Close() const;
  bool WaitForExit(DWORD& exitCode, int timeoutMs = 60000);
  bool Running() const { return process_.Running(); }
  // Ends the program at once, as a crash or the task manager would.
  void Kill() const { TerminateProcess(process_.Handle(), 1); }

 private:
  std::vector<HWND> Buttons() const;
  HWND Control(const wchar_t* className) const;

  ChildProcess process_;
  HWND window_ = nullptr;
};

}  // namespace quonel::testing
