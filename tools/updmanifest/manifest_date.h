// The manifest's `datetime` texts: written in the one form every Simplified
// Chinese wizard reads ("2026/12/7 9:05:00", local time), and read with the
// wizard's own conversion under that locale's settings.
#pragma once
#include <optional>
#include <string>

namespace quonel::updmanifest {

struct LocalDateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  auto operator<=>(const LocalDateTime&) const = default;
};

std::string ManifestDateText(const LocalDateTime& moment);

// What the wizard makes of a datetime text on a Simplified Chinese system in
// the given year (which completes dates written without their year).
std::optional<LocalDateTime> ReadManifestDate(const std::wstring& text, int currentYear);

}  // namespace quonel::updmanifest
