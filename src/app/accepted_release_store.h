// The highest release serial the wizard has accepted, kept in update\ so
// that an older signed manifest offered as new (a rollback) is refused.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace quonel {

// The wizard's own file in update\; the record is written to the second
// name first and renamed over the first, so it is always whole.
inline constexpr wchar_t kAcceptedReleaseFileName[] = L"accepted_release.txt";
inline constexpr wchar_t kAcceptedReleaseNewFileName[] = L"accepted_release.txt.new";

// Absent when nothing was accepted yet; raises Exception when the record
// exists but cannot be read, since a lost record would allow a rollback.
std::optional<uint64_t> ReadHighestAcceptedSerial(const std::wstring& updateFolder);
// Writes, flushes and renames into place; raises Exception on failure.
void RecordAcceptedRelease(const std::wstring& updateFolder, uint64_t serial, const std::string& keyId);

}  // namespace quonel
