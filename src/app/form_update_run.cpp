// The check-and-download run of the wizard form and its manifest fetch.
#include <windows.h>

#include "app/file_age.h"

#include "app/expected_content.h"
#include "app/folder_creation.h"
#include "app/form_update.h"
#include "app/ini_file.h"
#include "app/regional_settings.h"
#include "app/staged_copy_check.h"
#include "app/stored_manifest.h"
#include "app/verified_manifest_fetch.h"
#include "core/ansi_text.h"
#include "core/conversion.h"
#include "core/win32_owners.h"
#include "net/request_target_encoding.h"
#include "net/staged_copy_record.h"

namespace quonel {
namespace {

const wchar_t kInstallCaption[] = L"完成升级";

// The request target of a section: its ANSI bytes, with those that cannot
// stand in a request line percent-encoded.
std::wstring RequestName(const std::wstring& section) { return AnsiToWide(PercentEncodeTarget(WideToAnsi(section))); }

void DiscardStagedCopy(const std::wstring& stagedPath) {
  DeleteFileW(stagedPath.c_str());
  DeleteFileW(StagedCopyRecordPath(stagedPath).c_str());
}

bool Verified(FileOutcome outcome) {
  // A refused name can never be fetched: another run would not change it.
  return outcome == FileOutcome::UpToDate || outcome == FileOutcome::Downloaded || outcome == FileOutcome::Refused ||
         outcome == FileOutcome::Duplicate;
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
    if (!CreateFolders(AppPath, L"update")) throw Exception(L"Cannot create the folder update");
    // Any trusted key makes every server's manifest need its signature.
    const ManifestTrust trust = LoadManifestTrust(ConfigPath());
    strictManifest_ = trust.Strict();
    for (const std::wstring& unusable : trust.unusableKeys)
      LogLine(L"config.ini [trust] 中的公钥无法使用：" + unusable + L"\r\n");
    answeringServer_ = FetchManifestFromMirrors(server);
  } catch (...) {
    FileList->Clear();
    // Given up by the user (the abort, "上一步", the close box): no error to show.
    // The reasons are in the log by the time the box says the fetch failed.
    if (log_) log_->Flush();
    if (!AbortFlag && !closing_) MessageBoxW(Handle(), L"取得升级信息出错！", L"错误提示", MB_OK | MB_ICONERROR);
    return false;
  }
  return true;
}

void TForm_Update::btn_nextClick(TComponent*) {
  if (btn_next->Caption() == kInstallCaption) {
    InstallUpdate();
    return;
  }
  // "上一步" re-enables this button while a run is still going; a second
  // run inside the first would share FileList and the rows.
  if (runActive_ || !ReplayUnfinishedInstall()) return;
  runActive_ = true;
  struct RunFlag {
    bool& active;
    std::unique_ptr<TWizardLog>& log;
    ~RunFlag() {
      active = false;
      if (log) log->Flush();
    }
  } runFlag{runActive_, log_};
  RunCheckAndDownload();
}

void TForm_Update::RunCheckAndDownload() {
  // An abort of an earlier run must not end this run's manifest fetch.
  AbortFlag = false;
  stopRequested_ = false;
  if (log_) log_->BeginBlock(L"开始检查 " + Edt_url->Text());
  Notebook_step->SetPageIndex(Notebook_step->PageIndex() + 1);
  Gauge_process->SetMaxValue(100);
  Gauge_process->SetProgress(0);
  ListView_files->ClearItems();
  SetRowImage(ListView_files->AddItem(L"分析文件升级信息..."), 0);
  // Showing the page is the costliest step before the first network wait.
  ProcessMessages();
  if (!FetchManifest()) return;
  // The whole run fetches from the server it started with, whatever is chosen meanwhile.
  runServer_ = answeringServer_;

  ListView_files->ClearItems();
  Gauge_process->SetProgress(0);
  const ProfileIndex& manifest = manifest_;
  struct RowsShownAtEnd {
    TForm_Update& form;
    ~RowsShownAtEnd() { form.ShowFileRows(); }
  } rowsShownAtEnd{*this};
  for (int i = 0; i < FileList->Count(); ++i) {
    HoldFileRows();
    SetRowImage(ListView_files->AddItem(manifest.ReadString(FileList->Get(i), L"name", L"")), -1);
    KeepWindowAnswering();
  }
  btn_next->SetEnabled(false);
  btn_next->SetCaption(L"正下载文件..");
  Button2->SetEnabled(true);
  outcomes_.assign(static_cast<size_t>(FileList->Count()), FileOutcome::NotChecked);
  verifiedSizes_.assign(static_cast<size_t>(FileList->Count()), -1);
  admission_ = SectionAdmission(AppPath.size());

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
    for (int i = 0; i < FileList->Count() && !closing_ && !stopRequested_; ++i) {
      HoldFileRows();
      CheckAndDownloadFile(i, FileList->Get(i), manifest);
      KeepWindowAnswering();
    }
    endedNormally = !closing_;
  } catch (...) {
    leaveCheckingPart();
    throw;
  }
  leaveCheckingPart();
  if (!endedNormally) return;
  // The memo takes the run's last few thousand entries in slices, with the
  // window served between them, before the button says the run is over.
  while (log_ && log_->MemoBehind() && !closing_) ProcessMessages();
  if (closing_) return;
  btn_next->SetEnabled(true);
  // Installing is offered only when every file is up to date or verified.
  bool allVerified = !stopRequested_;
  for (const FileOutcome outcome : outcomes_) allVerified = allVerified && Verified(outcome);
  UpdateReady = allVerified;
  const bool lastPage = Notebook_step->PageIndex() == Notebook_step->PageCount() - 1;
  btn_next->SetCaption(lastPage && UpdateReady ? kInstallCaption : L"继续下载");
}

void TForm_Update::MarkRowFailed(int row, const std::wstring& verdict, const std::wstring& logText) {
  outcomes_[row] = FileOutcome::TransferFailed;
  if (!verdict.empty()) ListView_files->SetSubItem(row, 1, verdict);
  SetRowImage(row, 2);
  LogLine(logText + L"\r\n");
}

void TForm_Update::CheckAndDownloadFile(int row, const std::wstring& section, const ProfileIndex& manifest) {
  const std::wstring datetime = manifest.ReadString(section, L"datetime", L"");
  SetRowImage(row, 0);
  ListView_files->SetSubItem(row, 0, datetime);
  LogLine(L"连接远程文件：" + runServer_ + section + L"\r\n");

  if (const SectionRefusal refusal = admission_.Admit(section); refusal.refused) {
    outcomes_[row] = refusal.duplicate ? FileOutcome::Duplicate : FileOutcome::Refused;
    ListView_files->SetSubItem(row, 1, refusal.verdict);
    SetRowImage(row, 2);
    LogLine(refusal.logText + L"\r\n");
    return;
  }

  if (strictManifest_ && manifest.ReadString(section, L"sha256", L"").empty()) {
    // The signature covers the manifest, not the file: without a digest its bytes are anyone's.
    outcomes_[row] = FileOutcome::Refused;
    ListView_files->SetSubItem(row, 1, L"无校验值");
    SetRowImage(row, 2);
    LogLine(section + L"没有 sha256 校验值，签名不能担保它的内容，拒绝下载和安装\r\n");
    return;
  }

  std::wstring verdict = L"需要创建";
  if (const std::optional<TDateTime> local = FileAge(AppPath + section)) {
    const std::optional<TDateTime> released = TryStrToDateTime(datetime, UserDateFormatSettings());
    if (!released) {
      MarkRowFailed(row, L"日期无效",
                    ListView_files->Item(row).caption + L"文件的日期“" + datetime + L"”无法识别，跳过下载");
      return;
    }
    verdict = *released > *local ? L"需要升级" : L"不需更新";
  }
  ListView_files->SetSubItem(row, 1, verdict);
  if (verdict == L"不需更新") {
    outcomes_[row] = FileOutcome::UpToDate;
    SetRowImage(row, 3);
    LogLine(ListView_files->Item(row).caption + L"文件不需要更新，跳过下载\r\n");
    return;
  }
  outcomes_[row] = DownloadAndVerify(row, section, manifest, datetime);
  SetRowImage(row, outcomes_[row] == FileOutcome::Downloaded ? 1 : 2);
}

FileOutcome TForm_Update::DownloadAndVerify(int row, const std::wstring& section, const ProfileIndex& manifest,
                                            const std::wstring& datetime) {
  const std::wstring caption = ListView_files->Item(row).caption;
  const ExpectedContent expected =
      ReadExpectedContent(manifest.ReadString(section, L"size", L""), manifest.ReadString(section, L"sha256", L""));
  if (!expected.unreadableKey.empty()) {
    LogLine(caption + L"文件的 " + expected.unreadableKey + L" 值无法识别，跳过下载\r\n");
    return FileOutcome::TransferFailed;
  }
  const std::wstring stagedPath = AppPath + L"update\\" + section;
  if (!CreateFolders(AppPath + L"update\\", FolderOf(section))) {
    LogLine(stagedPath + L"本地文件无法写入，取消下载\r\n");
    return FileOutcome::TransferFailed;
  }
  const std::string release = ReleaseDescription(datetime, expected);
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::optional<TDigestFollower> follower;
    if (expected.sha256) follower.emplace(stagedPath);
    digestFollower_ = follower ? &*follower : nullptr;
    const bool downloaded = DownloadWithMirrors(RequestName(section), stagedPath, release);
    digestFollower_ = nullptr;
    if (!downloaded) return FileOutcome::TransferFailed;
    const CopyVerdict check = VerifyStagedCopy(stagedPath, expected, release, follower ? &*follower : nullptr);
    follower.reset();
    if (check.verified) {
      verifiedSizes_[row] = check.size;
      return FileOutcome::Downloaded;
    }
    DiscardStagedCopy(stagedPath);
    LogLine(stagedPath + L"文件校验失败：" + check.failedCheck + (attempt == 0 ? L"，重新下载" : L"，不予安装") +
            L"\r\n");
    if (stopRequested_ || closing_) break;
  }
  return FileOutcome::TransferFailed;
}

void TForm_Update::StagedCopyGrew(int64_t size) {
  if (digestFollower_) digestFollower_->Grew(size);
}

}  // namespace quonel
