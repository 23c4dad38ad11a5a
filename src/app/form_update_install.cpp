// The install step of the wizard form: back up, install the complete staged
// copies, tell the truth about what was installed, start the client, end.
#include <windows.h>
#include <shellapi.h>

#include "app/folder_creation.h"
#include "app/form_update.h"
#include "app/ini_file.h"
#include "ui/application.h"

namespace quonel {
namespace {

std::wstring NotInstalledText(const InstallReport& report) {
  if (!report.applied) {
    return L"升级未能应用：" + report.failure + L"\r\n" +
           (report.restored ? L"已安装的文件保持原样，没有任何更改。"
                            : L"部分文件未能恢复原样，下次启动升级程序时将继续恢复。");
  }
  std::wstring text = L"以下文件未能更新：\r\n";
  for (const std::wstring& name : report.notInstalled) text += L"    " + name + L"\r\n";
  return text + L"它们的文件名指向安装目录以外，已被拒绝；其余文件已更新。";
}

}  // namespace

void TForm_Update::InstallUpdate() {
  btn_next->SetEnabled(false);
  btn_next->SetCaption(L"复制新文件..");
  Button2->SetEnabled(false);

  std::vector<InstallEntry> entries;
  if (FileList) {
    for (int i = 0; i < FileList->Count(); ++i) {
      const size_t at = static_cast<size_t>(i);
      const FileOutcome outcome = at < outcomes_.size() ? outcomes_[at] : FileOutcome::NotChecked;
      entries.push_back({FileList->Get(i), outcome, at < verifiedSizes_.size() ? verifiedSizes_[at] : -1});
    }
  }
  CreateFolders(AppPath, L"backup");
  const InstallReport report = InstallStagedFiles(AppPath, entries);
  if (report.Complete())
    MessageBoxW(nullptr, L"升级成功!", L"恭喜你", MB_OK);
  else
    MessageBoxW(nullptr, NotInstalledText(report).c_str(), L"升级未完成", MB_OK | MB_ICONWARNING);

  const std::wstring program = TIniFile(ConfigPath()).ReadString(L"config", L"exe", L"");
  if (!program.empty()) ShellExecuteW(Handle(), L"open", program.c_str(), nullptr, nullptr, SW_SHOW);
  if (Application) Application->Terminate();
}

}  // namespace quonel
