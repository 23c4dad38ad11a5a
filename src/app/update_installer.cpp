#include "app/update_installer.h"

#include <windows.h>

#include <set>

#include "app/file_size.h"
#include "app/folder_creation.h"
#include "app/install_journal.h"
#include "app/section_path_guard.h"
#include "core/win32_owners.h"
#include "net/staged_copy_record.h"

namespace quonel {
namespace {

// Where the running program's image goes when the undo must take it out of
// the installation: update\ keeps a copy of it that the program can write.
const wchar_t kMovedAsideSuffix[] = L".running";

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

bool IsRunningProgram(const std::wstring& path) {
  wchar_t own[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH &&
         CompareStringOrdinal(own, static_cast<int>(length), path.c_str(), static_cast<int>(path.size()), TRUE) ==
             CSTR_EQUAL;
}

// The new copy goes back to update\, where the next run finds it. The
// running program cannot be written where it runs from, so when it is the
// one going back, its image moves aside and update\ gets a copy.
bool PutBackStagedCopy(const FilePaths& paths, InstallFileOperations& operations) {
  if (!IsRunningProgram(paths.installed)) return operations.Move(paths.installed, paths.staged);
  const std::wstring aside = paths.staged + kMovedAsideSuffix;
  return operations.Move(paths.installed, aside) && CopyFileW(aside.c_str(), paths.staged.c_str(), FALSE);
}

// Takes the steps back, last first, and gives the files it could not put
// back. Each test looks at what is on disk, so that a step the journal names
// but that was never taken changes nothing.
std::vector<std::wstring> Undo(const std::wstring& appPath, const std::vector<JournalStep>& steps,
                               InstallFileOperations& operations) {
  std::vector<std::wstring> notRestored;
  auto failed = [&](const std::wstring& name) {
    if (notRestored.empty() || notRestored.back() != name) notRestored.push_back(name);
  };
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    const FilePaths paths = PathsOf(appPath, step->name);
    switch (step->kind) {
      case JournalStep::Replace:
        if (!FileExists(paths.staged) && FileExists(paths.installed) && !PutBackStagedCopy(paths, operations))
          failed(step->name);
        break;
      case JournalStep::Backup:
        if (!FileExists(paths.installed) && FileExists(paths.backup) &&
            !operations.Move(paths.backup, paths.installed))
          failed(step->name);
        break;
      case JournalStep::Folder:
        RemoveDirectoryW((appPath + step->name).c_str());
        break;
      case JournalStep::Commit:
        break;
    }
  }
  return notRestored;
}

// After the commit: the records of the copies that are now installed go.
void FinishCommitted(const std::wstring& appPath, const std::vector<JournalStep>& steps) {
  for (const JournalStep& step : steps)
    if (step.kind == JournalStep::Replace) DeleteFileW(StagedCopyRecordPath(PathsOf(appPath, step.name).staged).c_str());
  DeleteFileW(InstallJournalPath(appPath).c_str());
}

// A program that was moved aside while it ran is no longer running now.
void RemoveProgramsMovedAside(const std::wstring& appPath) {
  WIN32_FIND_DATAW found;
  const std::wstring folder = appPath + L"update\\";
  HANDLE search = FindFirstFileW((folder + L"*" + kMovedAsideSuffix).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
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

// The entries to install: every one is up to date, refused, another name of
// an earlier entry's file, or has its verified copy in update\.
bool CheckEntries(const std::wstring& appPath, const std::vector<InstallEntry>& entries, InstallReport& report,
                  std::vector<const InstallEntry*>& toInstall) {
  std::set<std::wstring> seen;
  for (const InstallEntry& entry : entries) {
    // Two names of one file share one staged copy: only the first may move it.
    if (entry.outcome == FileOutcome::Duplicate || !seen.insert(SectionPathKey(entry.name)).second) {
      report.notInstalled.push_back({entry.name, entry.refusal.empty() ? L"重复的文件" : entry.refusal});
      continue;
    }
    switch (entry.outcome) {
      case FileOutcome::UpToDate:
        break;
      case FileOutcome::Refused:
        report.notInstalled.push_back({entry.name, entry.refusal.empty() ? L"路径无效" : entry.refusal});
        break;
      case FileOutcome::Downloaded: {
        const int64_t size = FileSize(PathsOf(appPath, entry.name).staged);
        if (size < 0 || (entry.verifiedSize >= 0 && size != entry.verifiedSize)) {
          report.failure = entry.name + L" 的新文件已不在 update 目录中";
          return false;
        }
        toInstall.push_back(&entry);
        break;
      }
      default:
        report.failure = entry.name + L" 没有下载完成";
        return false;
    }
  }
  return true;
}

// The staged copy's bytes, written while it downloaded, are on the disk
// before its name moves: a power cut must not leave a named empty file.
bool FlushStagedCopy(const std::wstring& path, InstallFileOperations& operations) {
  OwnedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && operations.FlushToDisk(path, file.Get());
}

}  // namespace

bool InstallFileOperations::Move(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool InstallFileOperations::CreateFolder(const std::wstring& path) {
  return CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

bool InstallFileOperations::FlushToDisk(const std::wstring&, void* file) {
  return FlushFileBuffers(static_cast<HANDLE>(file)) != FALSE;
}

InstallReport InstallStagedFiles(const std::wstring& appPath, const std::vector<InstallEntry>& entries,
                                 InstallFileOperations& operations) {
  InstallReport report;
  // An unfinished install is replayed first; its journal is never overwritten.
  if (RecoverInterruptedInstall(appPath, operations, &report.notRestored) == Recovery::Failed) {
    report.failure = L"上次未完成的安装仍未能撤销";
    report.restored = false;
    return report;
  }
  std::vector<const InstallEntry*> toInstall;
  if (!CheckEntries(appPath, entries, report, toInstall)) return report;

  InstallJournal journal;
  if (!journal.Open(appPath)) {
    report.failure = L"update 目录中的安装记录无法写入";
    return report;
  }
  std::vector<JournalStep> taken;
  // Each line is on the disk before its step is taken.
  auto write = [&](JournalStep::Kind kind, const std::wstring& name) {
    if (!journal.Write(kind, name) || !operations.FlushToDisk(InstallJournalPath(appPath), journal.Handle()))
      return false;
    taken.push_back({kind, name});
    return true;
  };
  auto fail = [&](const std::wstring& why) {
    journal.Close();
    report.failure = why;
    report.installed.clear();
    report.notRestored = Undo(appPath, taken, operations);
    report.restored = report.notRestored.empty();
    // A journal that could not be undone whole is kept for the next start.
    if (report.restored) DeleteFileW(InstallJournalPath(appPath).c_str());
    return report;
  };

  for (const InstallEntry* entry : toInstall) {
    const FilePaths paths = PathsOf(appPath, entry->name);
    const std::wstring& name = entry->name;
    // A copy that an earlier step took away (another name of an installed
    // file) must not cost the installed file its backup.
    if (!FileExists(paths.staged)) return fail(name + L" 的新文件已不在 update 目录中");
    if (!FlushStagedCopy(paths.staged, operations)) return fail(name + L" 的新文件无法写入磁盘");
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

Recovery RecoverInterruptedInstall(const std::wstring& appPath, InstallFileOperations& operations,
                                   std::vector<std::wstring>* notRestored) {
  RemoveProgramsMovedAside(appPath);
  if (!FileExists(InstallJournalPath(appPath))) return Recovery::Nothing;
  const std::vector<JournalStep> steps = ReadInstallJournal(appPath);
  if (!steps.empty() && steps.back().kind == JournalStep::Commit) {
    FinishCommitted(appPath, steps);
    return Recovery::Completed;
  }
  const std::vector<std::wstring> left = Undo(appPath, steps, operations);
  if (!left.empty()) {
    if (notRestored) *notRestored = left;
    return Recovery::Failed;
  }
  DeleteFileW(InstallJournalPath(appPath).c_str());
  return Recovery::RolledBack;
}

Recovery RecoverInterruptedInstall(const std::wstring& appPath, std::vector<std::wstring>* notRestored) {
  InstallFileOperations operations;
  return RecoverInterruptedInstall(appPath, operations, notRestored);
}

}  // namespace quonel
