// The install step's file work, all or nothing: each file that the run
// downloaded and verified is moved into place after its installed copy was
// moved to backup\, with every step written to the journal first. When a
// step fails, every step already taken is undone; an install that was
// killed is undone at the next start.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quonel {

// What the last run found out about one manifest file (its row image).
enum class FileOutcome {
  NotChecked,      // the run never reached it
  UpToDate,        // no update needed: nothing of update\ is installed for it
  Downloaded,      // the staged copy was downloaded and verified complete
  TransferFailed,  // no verified copy (a failed transfer or check, an unreadable date)
  Refused,         // the name could leave the application folder
};

struct InstallEntry {
  std::wstring name;  // relative to the application folder
  FileOutcome outcome;
  int64_t verifiedSize = -1;  // the staged copy's size when it was verified
};

struct InstallReport {
  bool applied = false;                    // every verified copy is in place
  std::wstring failure;                    // why nothing was applied, naming the file
  bool restored = true;                    // after a failure, the installation is as it was
  std::vector<std::wstring> installed;
  std::vector<std::wstring> notInstalled;  // refused names: they have no new copy
  bool Complete() const { return applied && notInstalled.empty(); }
};

// The file operations of an install; tests replace them to make a step fail.
class InstallFileOperations {
 public:
  virtual ~InstallFileOperations() = default;
  // Renames from to to, replacing a file at to; renaming works on files that
  // a program runs from, and fails on a file another program holds open.
  virtual bool Move(const std::wstring& from, const std::wstring& to);
  virtual bool CreateFolder(const std::wstring& path);
};

// appPath ends in "\". Backups are backup\<name>.bak, staged copies
// update\<name>; refused names are never touched.
InstallReport InstallStagedFiles(const std::wstring& appPath, const std::vector<InstallEntry>& entries,
                                 InstallFileOperations& operations);
InstallReport InstallStagedFiles(const std::wstring& appPath, const std::vector<InstallEntry>& entries);

enum class Recovery { Nothing, RolledBack, Completed, Failed };
// At start-up, before anything else: an install whose journal has no
// "commit" is undone, a committed one has its clean-up finished. Failed
// keeps the journal for the next start.
Recovery RecoverInterruptedInstall(const std::wstring& appPath, InstallFileOperations& operations);
Recovery RecoverInterruptedInstall(const std::wstring& appPath);

}  // namespace quonel
