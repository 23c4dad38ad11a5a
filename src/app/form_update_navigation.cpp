// Start-up, the server choice, page changes, the abort and back actions and
// the close questions of the wizard form.
#include <windows.h>

#include "app/form_update.h"
#include "app/ini_file.h"
#include "net/net_http_wizard_settings.h"
#include "ui/application.h"

namespace quonel {
namespace {

std::wstring DirectoryOfExecutable() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::wstring directory = path.substr(0, path.find_last_of(L"\\/:") + 1);
  if (directory.empty() || directory.back() != L'\\') directory += L'\\';
  return directory;
}

bool AskYesNo(HWND owner, const wchar_t* text) {
  return MessageBoxW(owner, text, L"信息提示", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace

void TForm_Update::FormCreate(TComponent*) {
  UpdateReady = true;
  DownSocket = new TClientSocket(Application ? static_cast<TComponent*>(Application) : this);
  DownSocket->SetClientType(ctBlocking);
  // The manifest fetch keeps the window alive like the downloads do; the
  // abort, "上一步" and the close box end it.
  HTTPFiles->RequestTimeLimit = kWizardRequestTimeLimitMs;
  HTTPFiles->WaitPump = [this] {
    ProcessMessages();
    return !AbortFlag && !closing_;
  };
  FileList = new TStringList;
  Notebook_step->SetPageIndex(0);
  ListBox_servers->Items().Clear();
  AppPath = DirectoryOfExecutable();
  if (!log_) log_ = std::make_unique<TWizardLog>(*Memo1);
  log_->SetFile(LogFilePath());
  log_->BeginBlock(L"升级程序启动");
  // An install that was stopped half-way is undone before anything else.
  switch (RecoverInterruptedInstall(AppPath, &unfinishedInstall_)) {
    case Recovery::RolledBack: LogLine(L"上次未完成的安装已撤销\r\n"); break;
    case Recovery::Failed: LogLine(L"上次未完成的安装未能完全撤销，下次启动时将重试\r\n"); break;
    default: break;
  }

  const TIniFile config(ConfigPath());
  SubSysName = config.ReadString(L"config", L"SubSys", L"");
  const std::vector<std::wstring> servers = config.ReadSectionValues(L"update");
  for (size_t i = 0; i < servers.size(); ++i) {
    const size_t equals = servers[i].find(L'=');
    ListBox_servers->Items().Add(servers[i].substr(0, equals));
    if (i == 0) Edt_url->SetTextProperty(equals == std::wstring::npos ? L"" : servers[i].substr(equals + 1));
  }
  // The hidden address edit is the one carrier of the chosen server; it gets
  // a window, to be read like any other control, once the wizard has first
  // been painted (it is never seen, and making it delayed the first paint).
  TApplication::RunWhenIdle(this, [this] { Edt_url->Handle(); });
  SetUpNetworkRoutes();
}

void TForm_Update::ListBox_serversClick(TComponent*) {
  Edt_url->SetTextProperty(L"");
  const int selected = ListBox_servers->ItemIndex();
  if (selected < 0 || selected >= ListBox_servers->Items().Count()) return;
  const TIniFile config(ConfigPath());
  Edt_url->SetTextProperty(config.ReadString(L"update", ListBox_servers->Items().Get(selected), L"http://"));
}

void TForm_Update::FormShow(TComponent*) {
  btn_next->SetFocus();
  // A mixed installation is the user's to know about, not only the log's:
  // told over the window once it is on the screen and its controls are all made.
  if (!unfinishedInstall_.empty())
    TApplication::RunWhenIdle(this, [this] { PostMessageW(Handle(), kTellUnfinishedInstall, 0, 0); });
}

void TForm_Update::WndProc(TMessage& message) {
  if (message.Msg != kTellUnfinishedInstall) {
    TForm::WndProc(message);
    return;
  }
  const std::vector<std::wstring> names = std::move(unfinishedInstall_);
  unfinishedInstall_.clear();
  if (!names.empty()) MessageBoxW(Handle(), UnfinishedInstallText(names).c_str(), L"升级未完成", MB_OK | MB_ICONERROR);
}

void TForm_Update::Notebook_stepPageChanged(TComponent*) {
  if (Notebook_step->PageIndex() == 0) {
    btn_pre->SetEnabled(false);
    btn_next->SetCaption(L"下一步");
    btn_next->SetEnabled(true);
  } else {
    btn_pre->SetEnabled(true);
  }
}

void TForm_Update::AbortTransfer() {
  UpdateReady = false;
  AbortFlag = true;
  LogLine(L"已中断下载;\r\n");
}

// "中断下载" stops the whole run: the transfer in progress and the files after it.
void TForm_Update::Button2Click(TComponent*) {
  AbortTransfer();
  if (runActive_) stopRequested_ = true;
}

void TForm_Update::btn_preClick(TComponent*) {
  AbortTransfer();
  try {
    HTTPFiles->CloseConnection();
  } catch (...) {
    // Going back must work whatever state the manifest connection is in.
  }
  Notebook_step->SetPageIndex(Notebook_step->PageIndex() - 1);
  btn_next->SetCaption(L"下一步");
  btn_next->SetEnabled(true);
}

void TForm_Update::FormCloseQuery(TComponent*, bool& canClose) {
  canClose = true;
  if (HTTPFiles->IsConnected()) canClose = AskYesNo(Handle(), L"正在下载文件，要退出吗？");
  if (btn_next->Caption() == L"完成升级")
    canClose = AskYesNo(Handle(), L"文件下载已经完成，但并没有更新文件，要退出吗？");
}

void TForm_Update::FormClose(TComponent*, TCloseAction&) {
  try {
    HTTPFiles->CloseConnection();
  } catch (...) {
    // Closing must not fail because the manifest connection is broken.
  }
  if (runActive_) {
    // The run still walks FileList: stop its transfer and let it leave first.
    closing_ = true;
    AbortFlag = true;
    return;
  }
  ReleaseFileList();
}

}  // namespace quonel
