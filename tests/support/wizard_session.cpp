#include "support/wizard_session.h"

#include "core/win32_owners.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

namespace quonel::testing {
namespace {

const int kMessageTimeoutMs = 5000;

LRESULT SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result)) return -1;
  return static_cast<LRESULT>(result);
}

// A block of memory in another process, for the list view messages that
// carry pointers (they are not carried across processes by the system).
class RemoteBuffer {
 public:
  RemoteBuffer(DWORD processId, size_t size)
      : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)) {
    if (process_) memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool ok() const { return memory_ != nullptr; }
  char* at(size_t offset) const { return static_cast<char*>(memory_) + offset; }
  bool Write(size_t offset, const void* data, size_t size) const {
    return WriteProcessMemory(process_, at(offset), data, size, nullptr) != 0;
  }
  bool Read(size_t offset, void* data, size_t size) const {
    return ReadProcessMemory(process_, at(offset), data, size, nullptr) != 0;
  }

 private:
  HANDLE process_;
  void* memory_ = nullptr;
};

HWND FindDescendant(HWND parent, const wchar_t* className) {
  for (HWND child : Descendants(parent))
    if (ClassName(child) == className) return child;
  return nullptr;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    if (end > start) lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace

SYSTEMTIME LocalTime(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME t = {};
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  t.wHour = static_cast<WORD>(hour);
  t.wMinute = static_cast<WORD>(minute);
  t.wSecond = static_cast<WORD>(second);
  return t;
}

bool SetLastWriteTime(const std::filesystem::path& path, const SYSTEMTIME& local) {
  FILETIME localTime, utc;
  if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utc)) return false;
  OwnedFile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr));
  return file && SetFileTime(file.Get(), nullptr, nullptr, &utc);
}

std::wstring ManifestDateTime(const SYSTEMTIME& t) {
  wchar_t text[64];
  std::swprintf(text, 64, L"%u/%u/%u %u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return text;
}

std::string ManifestText(const std::vector<ManifestFile>& files) {
  std::wstring text;
  for (const ManifestFile& file : files)
    text += L"[" + file.section + L"]\r\nname=" + file.name + L"\r\ndatetime=" + file.datetime + L"\r\n" + file.extra + L"\r\n";
  return WideToAnsi(text);
}

ClientInstallation::ClientInstallation(const std::wstring& updateExe) : root_(scratch_.path() / L"app") {
  std::filesystem::create_directories(root_ / L"update");
  std::filesystem::create_directories(root_ / L"backup");
  std::filesystem::copy_file(updateExe, Exe());
}

void ClientInstallation::WriteConfig(const std::wstring& subSys, const std::wstring& exe,
                                     const std::vector<UpdateServer>& servers) {
  std::wstring text = L"[config]\r\nSubSys=" + subSys + L"\r\nexe=" + exe + L"\r\n\r\n[update]\r\n";
  for (const UpdateServer& server : servers) text += server.name + L"=" + server.address + L"\r\n";
  WriteFile(L"config.ini", WideToAnsi(text));
}

void ClientInstallation::WriteFile(const std::filesystem::path& relative, const std::string& bytes) {
  scratch_.Write(std::filesystem::path(L"app") / relative, bytes);
}

void ClientInstallation::WriteFile(const std::filesystem::path& relative, const std::string& bytes,
                                   const SYSTEMTIME& lastWrite) {
  WriteFile(relative, bytes);
  SetLastWriteTime(root_ / relative, lastWrite);
}

void ClientInstallation::CopyIn(const std::filesystem::path& source, const std::filesystem::path& relative) {
  std::filesystem::create_directories((root_ / relative).parent_path());
  std::filesystem::copy_file(source, root_ / relative, std::filesystem::copy_options::overwrite_existing);
}

std::string ClientInstallation::Read(const std::filesystem::path& relative) const {
  return scratch_.Read(std::filesystem::path(L"app") / relative);
}

bool ClientInstallation::Exists(const std::filesystem::path& relative) const { return std::filesystem::exists(root_ / relative); }

std::vector<std::wstring> ClientInstallation::AllFiles() const {
  std::vector<std::wstring> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(scratch_.path()))
    if (!entry.is_directory()) files.push_back(std::filesystem::relative(entry.path(), scratch_.path()).wstring());
  std::sort(files.begin(), files.end());
  return files;
}

WizardSession::WizardSession(const std::filesystem::path& exe, const std::filesystem::path& workingDirectory)
    : process_(exe.wstring(), L"", (workingDirectory.empty() ? exe.parent_path() : workingDirectory).wstring()) {}

bool WizardSession::WaitForWindow(int timeoutMs) {
  DWORD code = 0;
  return WaitFor(
      [&] {
        for (HWND window : TopLevelWindows(ProcessId()))
          if (ClassName(window) == L"TForm_Update" && WindowText(window) == kWizardCaption) window_ = window;
        // Ready once its hidden address edit exists: it is made after the first paint.
        return (window_ != nullptr && FindDescendant(window_, L"TEdit")) || process_.WaitForExit(0, code);
      },
      timeoutMs) &&
         window_ != nullptr;
}

std::vector<HWND> WizardSession::Buttons() const {
  std::vector<std::pair<LONG, HWND>> found;
  for (HWND child : Descendants(window_)) {
    if (ClassName(child) != L"TButton") continue;
    RECT box;
    GetWindowRect(child, &box);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&box), 2);
    // The wizard's three buttons share the bottom row.
    if (box.top > 300) found.emplace_back(box.left, child);
  }
  std::sort(found.begin(), found.end());
  std::vector<HWND> buttons(3, nullptr);
  for (size_t i = 0; i < found.size() && i < 3; ++i) buttons[i] = found[i].second;
  return buttons;
}

HWND WizardSession::Control(const wchar_t* className) const { return FindDescendant(window_, className); }

bool WizardSession::WaitForNextCaption(const std::wstring& caption, int timeoutMs) const {
  return WaitFor([&] { return NextCaption() == caption; }, timeoutMs);
}

bool WizardSession::RunFromServerPage(const std::wstring& endCaption, int timeoutMs) {
  if (!WaitForWindow()) return false;
  Press(NextButton());
  return WaitForNextCaption(endCaption, timeoutMs);
}

bool WizardSession::ServerPageShown() const { return IsWindowVisible(Control(L"TListBox")) != FALSE; }

bool WizardSession::RowsPainted() const { return !GetUpdateRect(Control(L"TListView"), nullptr, FALSE); }

bool WizardSession::ProgressPageShown() const { return IsWindowVisible(Control(L"TListView")) != FALSE; }

std::vector<std::wstring> WizardSession::Servers() const {
  HWND list = Control(L"TListBox");
  std::vector<std::wstring> items;
  const LRESULT count = SendTimed(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendTimed(list, LB_GETTEXTLEN, i, 0);
    if (length < 0) break;
    std::wstring item(static_cast<size_t>(length) + 1, L'\0');
    SendTimed(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(wcslen(item.c_str()));
    items.push_back(item);
  }
  return items;
}

int WizardSession::SelectedServer() const { return static_cast<int>(SendTimed(Control(L"TListBox"), LB_GETCURSEL, 0, 0)); }

void WizardSession::ChooseServer(int index) const { ClickListItem(Control(L"TListBox"), index); }

std::wstring WizardSession::ServerAddress() const { return WindowText(Control(L"TEdit")); }

std::vector<FileRow> WizardSession::Rows() const {
  HWND view = Control(L"TListView");
  std::vector<FileRow> rows;
  const LRESULT count = SendTimed(view, LVM_GETITEMCOUNT, 0, 0);
  if (count <= 0) return rows;
  const size_t textChars = 1024;
  RemoteBuffer remote(ProcessId(), sizeof(LVITEMW) + textChars * sizeof(wchar_t));
  if (!remote.ok()) return rows;
  auto* remoteText = reinterpret_cast<wchar_t*>(remote.at(sizeof(LVITEMW)));
  for (LRESULT i = 0; i < count; ++i) {
    FileRow row;
    std::wstring* columns[] = {&row.caption, &row.date, &row.verdict};
    for (int sub = 0; sub < 3; ++sub) {
      LVITEMW item = {};
      item.iSubItem = sub;
      item.pszText = remoteText;
      item.cchTextMax = static_cast<int>(textChars);
      remote.Write(0, &item, sizeof item);
      const LRESULT length = SendTimed(view, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(remote.at(0)));
      if (length <= 0) continue;
      std::wstring text(static_cast<size_t>(length), L'\0');
      remote.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
      *columns[sub] = text;
    }
    LVITEMW item = {};
    item.mask = LVIF_STATE | LVIF_IMAGE;
    item.iItem = static_cast<int>(i);
    item.stateMask = LVIS_STATEIMAGEMASK;
    remote.Write(0, &item, sizeof item);
    if (SendTimed(view, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.at(0))) > 0 && remote.Read(0, &item, sizeof item)) {
      row.stateImage = static_cast<int>((item.state & LVIS_STATEIMAGEMASK) >> 12) - 1;
      row.image = item.iImage;
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<int> WizardSession::RowStates() const {
  std::vector<int> states;
  for (const FileRow& row : Rows()) states.push_back(row.stateImage);
  return states;
}

std::vector<std::wstring> WizardSession::LogLines() const {
  HWND memo = Control(L"TMemo");
  const LRESULT length = SendTimed(memo, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendTimed(memo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(wcslen(text.c_str()));
  return SplitLines(text);
}

bool WizardSession::LogHas(const std::wstring& line) const {
  const std::vector<std::wstring> lines = LogLines();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

MessageBoxWindow WizardSession::WaitForMessageBox(int timeoutMs) const {
  MessageBoxWindow box;
  WaitFor([&] { return (box = FindMessageBox(ProcessId())).window != nullptr; }, timeoutMs);
  return box;
}

void WizardSession::Close() const { PostMessageW(window_, WM_CLOSE, 0, 0); }

bool WizardSession::WaitForExit(DWORD& exitCode, int timeoutMs) {
  return process_.WaitForExit(static_cast<DWORD>(timeoutMs), exitCode);
}

}  // namespace quonel::testing
