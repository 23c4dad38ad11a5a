// The check-and-download run of the wizard form and its manifest fetch.
#include <windows.h>

#include "app/file_age.h"

#include "core/win32_owners.h"
#include "app/form_update.h"
#include "app/ini_file.h"
#include "app/regional_settings.h"
#include "app/section_path_guard.h"
#include "app/stored_manifest.h"
#include "core/ansi_text.h"
#include "core/conversion.h"

namespace quonel {
namespace {

const wchar_t kInstallCaption[] = L"完成升级";

// Writes the whole file or raises; a half-written manifest is no manifest.
void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  OwnedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw Exception(L"Cannot create file \"" + path + L"\"");
  DWORD written = 0;
  const BOOL ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  file.Reset();
  if (!ok || written != bytes.size()) throw Exception(L"Cannot write file \"" + path + L"\"");
}

}  // namespace

bool TForm_Update::FetchManifest() {
  FileList->Clear();
  try {
    std::wstring server = Edt_url->Text();
    if (server.empty() || server.back() != L'/') {
      server += L'/';
      Edt_url->SetTextProperty(server);
    }
    const std::string body = HTTPFiles->GetText(WideToAnsi(server + SubSysName + L".htm"));
    WriteWholeFile(ManifestPath(), StoredManifestBytes(body));
  } catch (...) {
    // Given up by the user (the abort, "上一步", the close box): no error to show.
    if (!AbortFlag && !closing_) MessageBoxW(Handle(), L"取得升级信息出错！", L"错误提示", MB_OK | MB_ICONERROR);
    return false;
  }
  FileList->Clear();
  for (const std::wstring& section : TIniFile(ManifestPath()).ReadSections()) FileList->Add(section);
  return true;
}

void TForm_Update::btn_nextClick(TComponent*) {
  if (btn_next->Caption() == kInstallCaption) {
    InstallUpdate();
    return;
  }
  // "上一步" re-enables this button while a run is still going; a second
  // run inside the first would share FileList and the rows.
  if (runActive_) return;
  runActive_ = true;
  struct RunFlag {
    bool& active;
    ~RunFlag() { active = false; }
  } runFlag{runActive_};
  RunCheckAndDownload();
}

void TForm_Update::RunCheckAndDownload() {
  // An abort of an earlier run must not end this run's manifest fetch.
  AbortFlag = false;
  Notebook_step->SetPageIndex(Notebook_step->PageIndex() + 1);
  Gauge_process->SetMaxValue(100);
  Gauge_process->SetProgress(0);
  ListView_files->ClearItems();
  SetRowImage(ListView_files->AddItem(L"分析文件升级信息..."), 0);
  if (!FetchManifest()) return;

  ListView_files->ClearItems();
  Gauge_process->SetProgress(0);
  const TIniFile manifest(ManifestPath());
  ListView_files->BeginUpdate();
  for (int i = 0; i < FileList->Count(); ++i)
    SetRowImage(ListView_files->AddItem(manifest.ReadString(FileList->Get(i), L"name", L"")), -1);
  ListView_files->EndUpdate();
  btn_next->SetEnabled(false);
  btn_next->SetCaption(L"正下载文件..");
  Button2->SetEnabled(true);
  outcomes_.assign(static_cast<size_t>(FileList->Count()), FileOutcome::NotChecked);

  bool lastOK = false;
  bool endedNormally = false;
  // What leaving the checking part does, whether it ended normally or not.
  auto leaveCheckingPart = [this] {
    Button2->SetEnabled(false);
    try {
      HTTPFiles->CloseConnection();
    } catch (...) {
      // Closing a broken manifest connection changes nothing for the run.
    }
    if (closing_) ReleaseFileList();
  };
  try {
    for (int i = 0; i < FileList->Count() && !closing_; ++i) {
      const std::wstring section = FileList->Get(i);
      CheckAndDownloadFile(i, section, manifest.ReadString(section, L"datetime", L""), lastOK);
    }
    endedNormally = !closing_;
  } catch (...) {
    leaveCheckingPart();
    throw;
  }
  leaveCheckingPart();
  if (!endedNormally) return;
  btn_next->SetEnabled(true);
  UpdateReady = UpdateReady || lastOK;
  const bool lastPage = Notebook_step->PageIndex() == Notebook_step->PageCount() - 1;
  btn_next->SetCaption(lastPage && UpdateReady ? kInstallCaption : L"继续下载");
}

void TForm_Update::CheckAndDownloadFile(int row, const std::wstring& section, const std::wstring& datetime,
                                        bool& lastOK) {
  SetRowImage(row, 0);
  ListView_files->SetSubItem(row, 0, datetime);
  const std::wstring url = Edt_url->Text() + section;
  const std::wstring stagedPath = AppPath + L"update\\" + section;
  LogLine(L"连接远程文件：" + url + L"\r\n");

  if (!IsSafeSectionPath(section)) {
    // A manifest may name any path; only paths inside the installation are ours to write.
    lastOK = false;
    outcomes_[row] = FileOutcome::Refused;
    ListView_files->SetSubItem(row, 1, L"路径无效");
    SetRowImage(row, 2);
    LogLine(section + L"不是安装目录内的文件，拒绝下载和安装\r\n");
    return;
  }

  std::wstring verdict = L"需要创建";
  if (const std::optional<TDateTime> local = FileAge(AppPath + section)) {
    const std::optional<TDateTime> released = TryStrToDateTime(datetime, UserDateFormatSettings());
    if (!released) throw EConvertError(InvalidDateTimeMessage(datetime));
    verdict = *released > *local ? L"需要升级" : L"不需更新";
  }
  if (verdict == L"不需更新") {
    lastOK = true;
    outcomes_[row] = FileOutcome::UpToDate;
    ListView_files->SetSubItem(row, 1, verdict);
    SetRowImage(row, 3);
    LogLine(ListView_files->Item(row).caption + L"文件不需要更新，跳过下载\r\n");
    return;
  }
  ListView_files->SetSubItem(row, 1, verdict);
  const bool downloaded = DownloadFile(url, stagedPath);
  lastOK = downloaded;
  outcomes_[row] = downloaded ? FileOutcome::Downloaded : FileOutcome::TransferFailed;
  SetRowImage(row, downloaded ? 1 : 2);
}

}  // namespace quonel
