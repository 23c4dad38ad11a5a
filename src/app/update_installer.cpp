#include "app/update_installer.h"

#include <windows.h>

namespace quonel {
namespace {

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MayReplaceInstalledFile(FileOutcome outcome) {
  return outcome == FileOutcome::Downloaded || outcome == FileOutcome::UpToDate;
}

}  // namespace

InstallReport InstallStagedFiles(const std::wstring& appPath, const std::vector<InstallEntry>& entries) {
  // Backup pass first, so that every installed file is saved before any changes.
  for (const InstallEntry& entry : entries) {
    if (entry.outcome == FileOutcome::Refused) continue;
    CopyFileW((appPath + entry.name).c_str(), (appPath + L"backup\\" + entry.name + L".bak").c_str(),
              FALSE);
  }

  InstallReport report;
  for (const InstallEntry& entry : entries) {
    if (entry.outcome == FileOutcome::Refused) continue;
    const std::wstring staged = appPath + L"update\\" + entry.name;
    if (!MayReplaceInstalledFile(entry.outcome)) {
      report.notInstalled.push_back(entry.name);
      continue;
    }
    if (!FileExists(staged)) continue;  // up to date: nothing to install
    if (CopyFileW(staged.c_str(), (appPath + entry.name).c_str(), FALSE)) {
      DeleteFileW(staged.c_str());
      report.installed.push_back(entry.name);
    } else {
      report.notInstalled.push_back(entry.name);
    }
  }
  return report;
}

}  // namespace quonel
