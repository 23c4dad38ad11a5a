// The wizard's log: the hidden memo keeps its last few thousand entries, and
// update\update.log keeps all of them (the last few blocks, bounded in size).
// Entries are collected and written in batches, so a run over tens of
// thousands of files costs each entry its own length and nothing more.
#pragma once
#include <deque>
#include <string>

#include "app/run_log_text.h"
#include "core/win32_owners.h"
#include "ui/edit.h"

namespace quonel {

class TWizardLog {
 public:
  // The hidden memo stops wrapping: at its width of a few pixels every entry
  // became hundreds of wrapped lines, and each append re-measured them all.
  explicit TWizardLog(TMemo& memo, RunLogLimits limits = {}) : memo_(memo), limits_(limits) { memo_.SetWordWrap(false); }
  ~TWizardLog() { FlushFile(); }  // the memo may have lost its window by then

  // Where update.log lives; the log is written there from the next Flush on.
  void SetFile(const std::wstring& path) { path_ = path; }
  // Starts a block of the log file with a header line naming the time and why.
  void BeginBlock(const std::wstring& title);
  // One entry, as LogLine receives it (ending in CR LF).
  void Add(const std::wstring& text);
  // Writes the collected entries to the memo and the file.
  void Flush();
  // The file now, and the next few entries into the memo: the memo measures
  // every line it takes, so a long run feeds it in slices between messages.
  void FlushSoon();
  // Entries collected for the memo that it does not show yet.
  bool MemoBehind() const { return !pendingMemo_.empty(); }

  // Entries the memo keeps; older ones leave it in chunks.
  static constexpr size_t kMemoEntries = 3000;
  // Entries one FlushSoon puts into the memo, and how far past kMemoEntries
  // the memo grows before its oldest entries are cut.
  static constexpr size_t kMemoSlice = 100;
  static constexpr size_t kMemoCut = 300;

 private:
  void FlushMemo(size_t mostEntries);
  void FlushFile();
  bool OpenFile();

  TMemo& memo_;
  RunLogLimits limits_;
  std::deque<std::wstring> pendingMemo_;  // the newest kMemoEntries entries not yet shown
  bool pendingDropped_ = false;           // older entries left pendingMemo_ unshown
  std::deque<size_t> memoEntryLengths_;  // characters of each entry in the memo, oldest first
  bool memoMeasured_ = false;            // text the memo had before its first entry is counted
  std::wstring path_;
  OwnedFile file_;
  bool trimBeforeOpen_ = false;  // a new block: older blocks are cut down first
  std::string pendingFile_;
  size_t blockBytes_ = 0;
  bool blockCut_ = false;
};

}  // namespace quonel
