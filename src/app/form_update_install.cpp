// The install step of the wizard form: back up, install the complete staged
// copies, tell the truth about what was installed, start the client unless
// the installation was left mixed, end.
#include <windows.h>
#include <shellapi.h>

#include "app/folder_creation.h"
#include "app/form_update.h"
#include "app/ini_file.h"
#include "ui/application.h"

namespace quonel {
namespace {

std::wstring FileLines(const std::vector<std::wstring>& names) {
  std::wstring text;
  for (const std::wstring& name : names) text += L"    " + name + L"\r\n";
  return text;
}

std::wstring NotInstalledText(const InstallReport& report) {
  if (report.Mixed()) {
    return L"升级未能应用：" + report.failure + L"\r\n以下文件未能恢复原样，安装目录中新旧文件混杂：\r\n" +
           FileLines(report.notRestored) + L"升级程序不会启动客户端；下次启动升级程序时将继续恢复。";
  }
  if (!report.applied)
    return L"升级未能应用：" + report.failure + L"\r\n已安装的文件保持原样，没有任何更改。";
  std::wstring text = L"以下文件未能更新：\r\n";
  for (const NotInstalledFile& file : report.notInstalled) text += L"    " + file.name + L"（" + file.reason + L"）\r\n";
  return text + L"清单中的这些文件名不被接受；其余文件已更新。";
}

}  // namespace

std::wstring TForm_Update::UnfinishedInstallText(const std::vector<std::wstring>& notRestored) {
  return L"上次未完成的安装未能撤销，以下文件未能恢复原样，安装目录中新旧文件混杂：\r\n" + FileLines(notRestored) +
         L"请关闭正在使用这些文件的程序，然后重新启动升级程序。";
}

bool TForm_Update::ReplayUnfinishedInstall() {
  std::vector<std::wstring> notRestored;
  switch (RecoverInterruptedInstall(AppPath, &notRestored)) {
    case Recovery::Failed:
      MessageBoxW(Handle(), UnfinishedInstallText(notRestored).c_str(), L"升级未完成", MB_OK | MB_ICONERROR);
      return false;
    case Recovery::RolledBack: LogLine(L"上次未完成的安装已撤销\r\n"); return true;
    default: return true;
  }
}

void TForm_Update::InstallUpdate() {
  // A second press, or "上一步" and a run, while this install is being told about.
  if (installing_) return;
  installing_ = true;
  btn_next->SetEnabled(false);
  btn_next->SetCaption(L"复制新文件..");
  Button2->SetEnabled(false);
  btn_pre->SetEnabled(false);

  std::vector<InstallEntry> entries;
  if (FileList) {
    for (int i = 0; i < FileList->Count(); ++i) {
      const size_t at = static_cast<size_t>(i);
      const FileOutcome outcome = at < outcomes_.size() ? outcomes_[at] : FileOutcome::NotChecked;
      const TListRow* row = i < ListView_files->ItemCount() ? &ListView_files->Item(i) : nullptr;
      entries.push_back({FileList->Get(i), outcome, at < verifiedSizes_.size() ? verifiedSizes_[at] : -1,
                         row && row->subItems.size() > 1 ? row->subItems[1] : L""});
    }
  }
  CreateFolders(AppPath, L"backup");
  const InstallReport report = InstallStagedFiles(AppPath, entries);
  // Owned by the window, so that nothing in it can be pressed meanwhile.
  if (report.Complete())
    MessageBoxW(Handle(), L"升级成功!", L"恭喜你", MB_OK);
  else
    MessageBoxW(Handle(), NotInstalledText(report).c_str(), L"升级未完成",
                MB_OK | (report.Mixed() ? MB_ICONERROR : MB_ICONWARNING));

  // The client is never started on a mix of old and new files.
  const std::wstring program = TIniFile(ConfigPath()).ReadString(L"config", L"exe", L"");
  if (!program.empty() && !report.Mixed()) ShellExecuteW(Handle(), L"open", program.c_str(), nullptr, nullptr, SW_SHOW);
  if (Application) Application->Terminate();
}

}  // namespace quonel
