// The install step of the wizard form: back up, install the complete staged
// copies, tell the truth about what was installed, start the client, end.
#include <windows.h>
#include <shellapi.h>

#include "app/form_update.h"
#include "app/ini_file.h"
#include "ui/application.h"

namespace quonel {
namespace {

std::wstring NotInstalledText(const std::vector<std::wstring>& names) {
  std::wstring text = L"以下文件未能更新：\r\n";
  for (const std::wstring& name : names) text += L"    " + name + L"\r\n";
  return text + L"它们的新版本保留在 update 目录中，下次升级时将重试。";
}

}  // namespace

void TForm_Update::InstallUpdate() {
  btn_next->SetEnabled(false);
  btn_next->SetCaption(L"复制新文件..");
  Button2->SetEnabled(false);

  std::vector<InstallEntry> entries;
  if (FileList) {
    for (int i = 0; i < FileList->Count(); ++i) {
      const FileOutcome outcome = static_cast<size_t>(i) < outcomes_.size() ? outcomes_[i] : FileOutcome::NotChecked;
      entries.push_back({FileList->Get(i), outcome});
    }
  }
  const InstallReport report = InstallStagedFiles(AppPath, entries);
  if (report.Complete())
    MessageBoxW(nullptr, L"升级成功!", L"恭喜你", MB_OK);
  else
    MessageBoxW(nullptr, NotInstalledText(report.notInstalled).c_str(), L"升级未完成", MB_OK | MB_ICONWARNING);

  const std::wstring program = TIniFile(ConfigPath()).ReadString(L"config", L"exe", L"");
  if (!program.empty()) ShellExecuteW(Handle(), L"open", program.c_str(), nullptr, nullptr, SW_SHOW);
  if (Application) Application->Terminate();
}

}  // namespace quonel
