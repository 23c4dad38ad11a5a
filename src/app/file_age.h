// The last-write time of an installed file, as the date check compares it.
#pragma once
#include <optional>
#include <string>

#include "app/date_time.h"

namespace quonel {

// Local time in two-second steps; nothing for a missing file, a folder, or a
// file whose time cannot be read.
std::optional<TDateTime> FileAge(const std::wstring& path);

}  // namespace quonel
