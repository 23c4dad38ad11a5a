// Date-times of the HTTP headers: days since 1899-12-30 with the time of day
// as the fraction (0 = absent), read from and written as Internet dates (UTC).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quonel {

using NetDateTime = double;

NetDateTime EncodeNetDateTime(int year, int month, int day, int hour, int minute, int second);
NetDateTime NetDateTimeFromUnixSeconds(int64_t seconds);
// The current time (UTC), the clock that expiry dates are compared with.
NetDateTime NetNow();

// Accepts "Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT",
// "Sun Nov  6 08:49:37 1994" and the same with a "+hhmm" zone; nullopt otherwise.
std::optional<NetDateTime> ParseInternetDate(std::string_view text);
// "Sun, 06 Nov 1994 08:49:37 GMT"
std::string FormatInternetDate(NetDateTime value);

}  // namespace quonel
