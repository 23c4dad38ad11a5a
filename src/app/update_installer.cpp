#include "app/update_installer.h"

#include <windows.h>

#include "app/file_size.h"
#include "app/folder_creation.h"
#include "app/install_journal.h"
#include "net/staged_copy_record.h"

namespace quonel {
namespace {

bool FileExists(const std::wstring& path) { return FileSize(path) >= 0; }

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct FilePaths {
  std::wstring installed, staged, backup;
};

FilePaths PathsOf(const std::wstring& appPath, const std::wstring& name) {
  return {appPath + name, appPath + L"update\\" + name, appPath + L"backup\\" + name + L".bak"};
}

// Takes the steps back, last first. Each test looks at what is on disk, so
// that a step the journal names but that was never taken changes nothing.
bool Undo(const std::wstring& appPath, const std::vector<JournalStep>& steps, InstallFileOperations& operations) {
  bool restored = true;
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    const FilePaths paths = PathsOf(appPath, step->name);
    switch (step->kind) {
      case JournalStep::Replace:
        // The new copy goes back to update\, where the next run finds it.
        if (!FileExists(paths.staged) && FileExists(paths.installed))
          restored = operations.Move(paths.installed, paths.staged) && restored;
        break;
      case JournalStep::Backup:
        if (!FileExists(paths.installed) && FileExists(paths.backup))
          restored = operations.Move(paths.backup, paths.installed) && restored;
        break;
      case JournalStep::Folder:
        RemoveDirectoryW((appPath + step->name).c_str());
        break;
      case JournalStep::Commit:
        break;
    }
  }
  return restored;
}

// After the commit: the records of the copies that are now installed go.
void FinishCommitted(const std::wstring& appPath, const std::vector<JournalStep>& steps) {
  for (const JournalStep& step : steps)
    if (step.kind == JournalStep::Replace) DeleteFileW(StagedCopyRecordPath(PathsOf(appPath, step.name).staged).c_str());
  DeleteFileW(InstallJournalPath(appPath).c_str());
}

// The folders of name that the installation lacks, outermost first.
std::vector<std::wstring> MissingFolders(const std::wstring& appPath, const std::wstring& name) {
  std::vector<std::wstring> missing;
  const std::wstring folder = FolderOf(name);
  for (size_t end = 0; !folder.empty() && end != std::wstring::npos;) {
    end = folder.find_first_of(L"\\/", end + 1);
    const std::wstring part = folder.substr(0, end);
    if (!FolderExists(appPath + part)) missing.push_back(part);
  }
  return missing;
}

// Every entry is either up to date, refused, or has its verified copy in update\.
bool CheckEntries(const std::wstring& appPath, const std::vector<InstallEntry>& entries, InstallReport& report) {
  for (const InstallEntry& entry : entries) {
    switch (entry.outcome) {
      case FileOutcome::UpToDate:
        break;
      case FileOutcome::Refused:
        report.notInstalled.push_back(entry.name);
        break;
      case FileOutcome::Downloaded: {
        const int64_t size = FileSize(PathsOf(appPath, entry.name).staged);
        if (size < 0 || (entry.verifiedSize >= 0 && size != entry.verifiedSize)) {
          report.failure = entry.name + L" 的新文件已不在 update 目录中";
          return false;
        }
        break;
      }
      default:
        report.failure = entry.name + L" 没有下载完成";
        return false;
    }
  }
  return true;
}

}  // namespace

bool InstallFileOperations::Move(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool InstallFileOperations::CreateFolder(const std::wstring& path) {
  return CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

InstallReport InstallStagedFiles(const std::wstring& appPath, const std::vector<InstallEntry>& entries,
                                 InstallFileOperations& operations) {
  InstallReport report;
  if (!CheckEntries(appPath, entries, report)) return report;

  InstallJournal journal;
  if (!journal.Open(appPath)) {
    report.failure = L"update 目录中的安装记录无法写入";
    return report;
  }
  std::vector<JournalStep> taken;
  auto write = [&](JournalStep::Kind kind, const std::wstring& name) {
    if (!journal.Write(kind, name)) return false;
    taken.push_back({kind, name});
    return true;
  };
  auto fail = [&](const std::wstring& why) {
    journal.Close();
    report.failure = why;
    report.installed.clear();
    report.restored = Undo(appPath, taken, operations);
    // A journal that could not be undone whole is kept for the next start.
    if (report.restored) DeleteFileW(InstallJournalPath(appPath).c_str());
    return report;
  };

  for (const InstallEntry& entry : entries) {
    if (entry.outcome != FileOutcome::Downloaded) continue;
    const FilePaths paths = PathsOf(appPath, entry.name);
    const std::wstring& name = entry.name;
    for (const std::wstring& folder : MissingFolders(appPath, name)) {
      if (!write(JournalStep::Folder, folder)) return fail(L"安装记录无法写入");
      if (!operations.CreateFolder(appPath + folder)) return fail(folder + L" 目录无法创建");
    }
    // A file that cannot be moved to its backup is never overwritten.
    if (FileExists(paths.installed)) {
      if (!CreateFolders(appPath + L"backup\\", FolderOf(name))) return fail(name + L" 的备份目录无法创建");
      if (!write(JournalStep::Backup, name)) return fail(L"安装记录无法写入");
      if (!operations.Move(paths.installed, paths.backup))
        return fail(name + L" 无法备份，可能正被其他程序使用");
    }
    if (!write(JournalStep::Replace, name)) return fail(L"安装记录无法写入");
    if (!operations.Move(paths.staged, paths.installed)) return fail(name + L" 无法替换");
    report.installed.push_back(name);
  }
  if (!write(JournalStep::Commit, L"")) return fail(L"安装记录无法写入");
  journal.Close();
  FinishCommitted(appPath, taken);
  report.applied = true;
  return report;
}

InstallReport InstallStagedFiles(const std::wstring& appPath, const std::vector<InstallEntry>& entries) {
  InstallFileOperations operations;
  return InstallStagedFiles(appPath, entries, operations);
}

Recovery RecoverInterruptedInstall(const std::wstring& appPath, InstallFileOperations& operations) {
  if (!FileExists(InstallJournalPath(appPath))) return Recovery::Nothing;
  const std::vector<JournalStep> steps = ReadInstallJournal(appPath);
  if (!steps.empty() && steps.back().kind == JournalStep::Commit) {
    FinishCommitted(appPath, steps);
    return Recovery::Completed;
  }
  if (!Undo(appPath, steps, operations)) return Recovery::Failed;
  DeleteFileW(InstallJournalPath(appPath).c_str());
  return Recovery::RolledBack;
}

Recovery RecoverInterruptedInstall(const std::wstring& appPath) {
  InstallFileOperations operations;
  return RecoverInterruptedInstall(appPath, operations);
}

}  // namespace quonel
