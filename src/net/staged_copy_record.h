// What a staged copy is a copy of, recorded beside it before its first byte
// is written: a later transfer continues the copy only when the release and
// the server's description of the file are still the same, so that bytes of
// two releases are never spliced into one file.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace quonel {

struct StagedCopyRecord {
  std::string release;       // the caller's description of the release (manifest date, size, digest)
  int64_t size = -1;         // the full length the HEAD answered; -1 when it gave none
  std::string lastModified;  // the HEAD's Last-Modified value
  std::string etag;          // the HEAD's ETag value
  bool operator==(const StagedCopyRecord&) const = default;
};

// One "key=value" line per field; line breaks inside values are dropped.
std::string FormatStagedCopyRecord(const StagedCopyRecord& record);
// Absent when the text is not a complete record (a damaged record counts as none).
std::optional<StagedCopyRecord> ParseStagedCopyRecord(const std::string& text);

// The If-Range value of a resume: the ETag when it is strong, else the
// Last-Modified date; empty when the server gave neither, and the resume
// then relies on the recorded length and release alone.
std::string IfRangeValidator(const StagedCopyRecord& record);

// The record's file beside the staged copy.
inline std::wstring StagedCopyRecordPath(const std::wstring& stagedPath) { return stagedPath + L".origin"; }

// Reading and writing the record file (Windows tree): absent when there is
// none or it is damaged; false when it cannot be written.
std::optional<StagedCopyRecord> LoadStagedCopyRecord(const std::wstring& stagedPath);
bool SaveStagedCopyRecord(const std::wstring& stagedPath, const StagedCopyRecord& record);

}  // namespace quonel
