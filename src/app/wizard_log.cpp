#include "app/wizard_log.h"

#include <windows.h>

#include <cstdio>

#include "core/utf8.h"

namespace quonel {
namespace {

// Files beyond this are not read back when a block begins: they are started afresh.
const DWORD kLargestReadBack = 64u << 20;
// What waits for a file that cannot be opened yet (no update folder).
const size_t kLargestPending = 1u << 20;

std::string TimeText(bool withDate) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[40];
  if (withDate)
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
  else
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  return text;
}

std::string ReadWholeFile(const std::wstring& path) {
  OwnedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargestReadBack) return {};
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    return {};
  bytes.resize(read);
  return bytes;
}

}  // namespace

void TWizardLog::BeginBlock(const std::wstring& title) {
  Flush();
  file_.Reset();
  trimBeforeOpen_ = true;
  blockBytes_ = 0;
  blockCut_ = false;
  pendingFile_ = std::string(kRunLogBlockMark) + TimeText(true) + " " + WideToUtf8(title) + " ====\r\n";
}

void TWizardLog::Add(const std::wstring& text) {
  pendingMemo_.push_back(text + L"\r\n");
  if (pendingMemo_.size() > kMemoEntries) {
    pendingMemo_.pop_front();
    pendingDropped_ = true;
  }
  if (blockCut_) return;
  std::string lines = RunLogLines(TimeText(false), WideToUtf8(text));
  if (blockBytes_ + pendingFile_.size() + lines.size() > limits_.blockBytes) {
    // The start of a long run stays; its end is in the window's log.
    blockCut_ = true;
    lines = RunLogLines(TimeText(false), "日志已达上限，本次其余的记录不再写入文件");
  }
  if (pendingFile_.size() < kLargestPending) pendingFile_ += lines;
}

void TWizardLog::Flush() {
  FlushMemo(kMemoEntries);
  FlushFile();
}

void TWizardLog::FlushSoon() {
  FlushFile();
  FlushMemo(kMemoSlice);
}

void TWizardLog::FlushMemo(size_t mostEntries) {
  if (pendingMemo_.empty()) return;
  const HWND memo = memo_.Handle();  // the hidden log gets its window with its first entry
  if (!memoMeasured_) {
    memoMeasured_ = true;
    if (const LRESULT before = SendMessageW(memo, WM_GETTEXTLENGTH, 0, 0))
      memoEntryLengths_.push_back(static_cast<size_t>(before));
  }
  // Entries between what the memo shows and what waits were dropped: the
  // memo starts again, so that it never shows a hole in the log.
  const bool replaceAll = pendingDropped_;
  pendingDropped_ = false;
  if (replaceAll) memoEntryLengths_.clear();
  std::wstring text;
  for (size_t taken = 0; taken < mostEntries && !pendingMemo_.empty(); ++taken) {
    text += pendingMemo_.front();
    memoEntryLengths_.push_back(pendingMemo_.front().size());
    pendingMemo_.pop_front();
  }
  SendMessageW(memo, WM_SETREDRAW, FALSE, 0);
  if (replaceAll) {
    SetWindowTextW(memo, text.c_str());
  } else {
    const LRESULT length = SendMessageW(memo, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(memo, EM_SETSEL, length, length);
    SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // Old entries leave a few hundred at a time: each cut costs the memo the
  // lines it keeps, so cuts stay rare and none is long.
  if (memoEntryLengths_.size() > kMemoEntries + kMemoCut) {
    size_t cut = 0;
    while (memoEntryLengths_.size() > kMemoEntries) {
      cut += memoEntryLengths_.front();
      memoEntryLengths_.pop_front();
    }
    SendMessageW(memo, EM_SETSEL, 0, static_cast<LPARAM>(cut));
    SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
  }
  SendMessageW(memo, WM_SETREDRAW, TRUE, 0);
}

bool TWizardLog::OpenFile() {
  if (file_) return true;
  if (path_.empty()) return false;
  if (trimBeforeOpen_) {
    // Only the last blocks stay; reading them back is bounded by the limits.
    std::string kept(KeptRunLogTail(ReadWholeFile(path_), limits_));
    if (!kept.empty() && kept.back() != '\n') kept += "\r\n";
    OwnedFile rewrite(CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!rewrite) return false;
    DWORD written = 0;
    if (!kept.empty()) WriteFile(rewrite.Get(), kept.data(), static_cast<DWORD>(kept.size()), &written, nullptr);
    trimBeforeOpen_ = false;
  }
  file_.Reset(CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file_);
}

void TWizardLog::FlushFile() {
  if (pendingFile_.empty() || !OpenFile()) return;
  DWORD written = 0;
  WriteFile(file_.Get(), pendingFile_.data(), static_cast<DWORD>(pendingFile_.size()), &written, nullptr);
  blockBytes_ += pendingFile_.size();
  pendingFile_.clear();
}

}  // namespace quonel
