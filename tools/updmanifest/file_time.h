// Times the tool takes from the platform, in local time.
#pragma once
#include <optional>
#include <string>

#include "manifest_date.h"

namespace quonel::updmanifest {

// A file's last-write time as the wizard sees it: local time, in the
// two-second steps of the platform's file-age query. Nothing when the file
// has no such time (before 1980 or after 2107, or unreadable).
std::optional<LocalDateTime> FileLastWriteTime(const std::wstring& path);

// The local calendar year now.
int CurrentLocalYear();

}  // namespace quonel::updmanifest
