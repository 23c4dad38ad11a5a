// Dates and times of the manifest and of the installed files, and the
// lenient reading of a date-time text in the user's regional format.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace quonel {

// A moment in local time, counted in milliseconds from 1899-12-30 00:00, so
// that equal texts and equal file times compare exactly equal.
class TDateTime {
 public:
  static std::optional<TDateTime> Encode(int year, int month, int day, int hour = 0, int minute = 0,
                                         int second = 0, int millisecond = 0);
  int64_t Milliseconds() const { return milliseconds_; }
  auto operator<=>(const TDateTime&) const = default;

 private:
  explicit TDateTime(int64_t milliseconds) : milliseconds_(milliseconds) {}
  int64_t milliseconds_;
};

enum class DateOrder { YearMonthDay, MonthDayYear, DayMonthYear };

// What the reading takes from the user's regional settings.
struct DateFormatSettings {
  DateOrder order = DateOrder::YearMonthDay;
  wchar_t dateSeparator = L'/';
  wchar_t timeSeparator = L':';
  std::wstring amDesignator = L"AM";
  std::wstring pmDesignator = L"PM";
  int currentYear = 2000;  // completes a date given without its year
};

// The order of day, month and year in a short date pattern such as "yyyy/M/d".
DateOrder DateOrderOfPattern(const std::wstring& pattern);

// Reads "date[ time]" or "time": the date as two or three numbers in the
// settings' order joined by the date separator (a two-digit year taken in the
// hundred years from currentYear - 50), the time as hours[:minutes[:seconds[.ms]]] with an
// optional AM/PM designator. Blanks around the parts are ignored. Anything
// else, an empty text included, gives nothing.
std::optional<TDateTime> TryStrToDateTime(const std::wstring& text, const DateFormatSettings& settings);

}  // namespace quonel
