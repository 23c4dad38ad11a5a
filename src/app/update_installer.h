// The install step's file work: back up every installed file, then put each
// complete staged copy in place of its installed file.
#pragma once
#include <string>
#include <vector>

namespace quonel {

// What the last run found out about one manifest file (its row image).
enum class FileOutcome {
  NotChecked,      // the run never reached it
  UpToDate,        // no update needed
  Downloaded,      // the transfer completed the staged copy
  TransferFailed,  // the staged copy is incomplete
  Refused,         // the name could leave the application folder
};

struct InstallEntry {
  std::wstring name;  // relative to the application folder
  FileOutcome outcome;
};

struct InstallReport {
  std::vector<std::wstring> installed;
  // Files whose new copy is not in place; their staged copies are kept so
  // that the next run can finish them.
  std::vector<std::wstring> notInstalled;
  bool Complete() const { return notInstalled.empty(); }
};

// appPath ends in "\". Backups go to backup\<name>.bak, staged copies are
// update\<name>. A staged copy is deleted only after it was copied in place;
// an incomplete one never replaces an installed file.
InstallReport InstallStagedFiles(const std::wstring& appPath, const std::vector<InstallEntry>& entries);

}  // namespace quonel
