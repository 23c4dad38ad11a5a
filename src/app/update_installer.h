// The install step's file work, all or nothing: each file that the run
// downloaded and verified is moved into place after its installed copy was
// moved to backup\, with every step written to the journal, and the line on
// the disk, first. When a step fails, every step already taken is undone; an
// install that was killed is undone at the next start, and no install starts
// while an earlier one is still unfinished.
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
  Refused,         // the name could leave the application folder, is the wizard's own or too long
  Duplicate,       // another name of a file an earlier entry names: the first one wins
};

struct InstallEntry {
  std::wstring name;  // relative to the application folder
  FileOutcome outcome;
  int64_t verifiedSize = -1;  // the staged copy's size when it was verified
  std::wstring refusal = {};  // why a refused entry was refused, for the user
};

struct NotInstalledFile {
  std::wstring name;
  std::wstring reason;
  bool operator==(const NotInstalledFile&) const = default;
};

struct InstallReport {
  bool applied = false;                    // every verified copy is in place
  std::wstring failure;                    // why nothing was applied, naming the file
  bool restored = true;                    // after a failure, the installation is as it was
  std::vector<std::wstring> installed;
  std::vector<NotInstalledFile> notInstalled;  // refused names: they have no new copy
  std::vector<std::wstring> notRestored;       // when not restored: the files left new or missing
  bool Complete() const { return applied && notInstalled.empty(); }
  // Old and new files side by side: nothing may run on it until the journal is replayed.
  bool Mixed() const { return !applied && !restored; }
};

// The file operations of an install; tests replace them to make a step fail
// or to see their order.
class InstallFileOperations {
 public:
  virtual ~InstallFileOperations() = default;
  // Renames from to to, replacing a file at to, on the disk before it
  // returns; renaming works on files that a program runs from, and fails on
  // a file another program holds open.
  virtual bool Move(const std::wstring& from, const std::wstring& to);
  virtual bool CreateFolder(const std::wstring& path);
  // Puts what was written to the open file (path names it) on the disk.
  virtual bool FlushToDisk(const std::wstring& path, void* file);
};

// appPath ends in "\". Backups are backup\<name>.bak, staged copies
// update\<name>; refused and duplicate names are never touched.
InstallReport InstallStagedFiles(const std::wstring& appPath, const std::vector<InstallEntry>& entries,
                                 InstallFileOperations& operations);
InstallReport InstallStagedFiles(const std::wstring& appPath, const std::vector<InstallEntry>& entries);

enum class Recovery { Nothing, RolledBack, Completed, Failed };
// At start-up, before anything else: an install whose journal has no
// "commit" is undone, a committed one has its clean-up finished. Failed
// keeps the journal for the next start; notRestored then gets the files
// that could not be put back.
Recovery RecoverInterruptedInstall(const std::wstring& appPath, InstallFileOperations& operations,
                                   std::vector<std::wstring>* notRestored = nullptr);
Recovery RecoverInterruptedInstall(const std::wstring& appPath, std::vector<std::wstring>* notRestored = nullptr);

}  // namespace quonel
