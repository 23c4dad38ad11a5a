// The install step's journal, update\update.journal: each step is written
// down before it is taken, so that an install that was stopped half-way
// (a failed step, or the program killed) can be undone step by step, and
// the last line "commit" tells that nothing needs undoing.
#pragma once
#include <string>
#include <vector>

#include "core/win32_owners.h"

namespace quonel {

struct JournalStep {
  enum Kind { Backup, Replace, Folder, Commit };
  Kind kind;
  std::wstring name;  // relative to the application folder
};

// The journal's path for an application folder (ending in "\").
std::wstring InstallJournalPath(const std::wstring& appPath);

class InstallJournal {
 public:
  // Creates the journal; false when it cannot be written or one is there
  // already (an unfinished install is replayed, never overwritten).
  bool Open(const std::wstring& appPath);
  // Appends one step; false when it could not be written (the step must then not be taken).
  bool Write(JournalStep::Kind kind, const std::wstring& name = {});
  void Close() { file_.Reset(); }
  HANDLE Handle() const { return file_.Get(); }

 private:
  OwnedFile file_;
};

// The whole lines of a journal, in order; a line cut short by a kill is not a step.
std::vector<JournalStep> ReadInstallJournal(const std::wstring& appPath);

}  // namespace quonel
