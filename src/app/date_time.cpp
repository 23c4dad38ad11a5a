#include "app/date_time.h"

#include <cwctype>
#include <vector>

namespace quonel {
namespace {

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days from 0001-01-01 to the given date (proleptic Gregorian).
int64_t DaysFromCivilStart(int year, int month, int day) {
  const int64_t y = year - 1;
  int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + day - 1;
}

class TextScanner {
 public:
  explicit TextScanner(const std::wstring& text) : text_(text) {}
  void SkipBlanks() {
    while (at_ < text_.size() && std::iswspace(text_[at_])) ++at_;
  }
  bool AtEnd() const { return at_ >= text_.size(); }
  size_t Position() const { return at_; }
  void Rewind(size_t position) { at_ = position; }
  bool Take(wchar_t c) {
    SkipBlanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  // Up to nine digits, so that no value can overflow; digits gives their count.
  std::optional<int> Number(int* digits = nullptr) {
    SkipBlanks();
    size_t start = at_;
    int value = 0;
    while (at_ < text_.size() && text_[at_] >= L'0' && text_[at_] <= L'9' && at_ - start < 9)
      value = value * 10 + (text_[at_++] - L'0');
    if (at_ == start || (at_ < text_.size() && std::iswdigit(text_[at_]))) {
      at_ = start;
      return std::nullopt;
    }
    if (digits) *digits = static_cast<int>(at_ - start);
    return value;
  }
  bool TakeWord(const std::wstring& word) {
    SkipBlanks();
    if (word.empty() || text_.size() - at_ < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
      if (std::towupper(text_[at_ + i]) != std::towupper(word[i])) return false;
    at_ += word.size();
    return true;
  }

 private:
  const std::wstring& text_;
  size_t at_ = 0;
};

struct DateParts {
  int year, month, day;
};

std::optional<DateParts> ScanDate(TextScanner& scanner, const DateFormatSettings& settings) {
  std::vector<int> numbers;
  std::vector<int> digitCounts;
  do {
    int digits = 0;
    const auto number = scanner.Number(&digits);
    if (!number) return std::nullopt;
    numbers.push_back(*number);
    digitCounts.push_back(digits);
  } while (numbers.size() < 3 && scanner.Take(settings.dateSeparator));
  if (numbers.size() < 2) return std::nullopt;

  DateParts parts{};
  int yearDigits = 4;
  if (numbers.size() == 2) {
    parts.year = settings.currentYear;
    if (settings.order == DateOrder::DayMonthYear) {
      parts.day = numbers[0];
      parts.month = numbers[1];
    } else {
      parts.month = numbers[0];
      parts.day = numbers[1];
    }
  } else {
    switch (settings.order) {
      case DateOrder::YearMonthDay:
        parts = {numbers[0], numbers[1], numbers[2]};
        yearDigits = digitCounts[0];
        break;
      case DateOrder::MonthDayYear:
        parts = {numbers[2], numbers[0], numbers[1]};
        yearDigits = digitCounts[2];
        break;
      case DateOrder::DayMonthYear:
        parts = {numbers[2], numbers[1], numbers[0]};
        yearDigits = digitCounts[2];
        break;
    }
    if (yearDigits <= 2) {
      // Two-digit years fall in the hundred years that start 50 years ago.
      const int base = settings.currentYear - 50;
      parts.year += base / 100 * 100;
      if (parts.year < base) parts.year += 100;
    }
  }
  return parts;
}

struct TimeParts {
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

std::optional<TimeParts> ScanTime(TextScanner& scanner, const DateFormatSettings& settings) {
  TimeParts parts;
  const auto hour = scanner.Number();
  if (!hour) return std::nullopt;
  parts.hour = *hour;
  if (scanner.Take(settings.timeSeparator)) {
    const auto minute = scanner.Number();
    if (!minute) return std::nullopt;
    parts.minute = *minute;
    if (scanner.Take(settings.timeSeparator)) {
      const auto second = scanner.Number();
      if (!second) return std::nullopt;
      parts.second = *second;
      if (scanner.Take(L'.')) {
        const auto millisecond = scanner.Number();
        if (!millisecond || *millisecond > 999) return std::nullopt;
        parts.millisecond = *millisecond;
      }
    }
  }
  const bool pm = scanner.TakeWord(settings.pmDesignator);
  const bool am = !pm && scanner.TakeWord(settings.amDesignator);
  if (am || pm) {
    if (parts.hour < 1 || parts.hour > 12) return std::nullopt;
    parts.hour %= 12;
    if (pm) parts.hour += 12;
  }
  return parts;
}

}  // namespace

std::optional<TDateTime> TDateTime::Encode(int year, int month, int day, int hour, int minute,
                                           int second, int millisecond) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return std::nullopt;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999)
    return std::nullopt;
  const int64_t days = DaysFromCivilStart(year, month, day) - DaysFromCivilStart(1899, 12, 30);
  const int64_t msOfDay = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  return TDateTime(days * 86400000LL + msOfDay);
}

DateOrder DateOrderOfPattern(const std::wstring& pattern) {
  for (wchar_t c : pattern) {
    switch (std::towlower(c)) {
      case L'y':
        return DateOrder::YearMonthDay;
      case L'm':
        return DateOrder::MonthDayYear;
      case L'd':
        return DateOrder::DayMonthYear;
    }
  }
  return DateOrder::YearMonthDay;
}

std::optional<TDateTime> TryStrToDateTime(const std::wstring& text, const DateFormatSettings& settings) {
  TextScanner scanner(text);
  DateParts date{1899, 12, 30};
  TimeParts time;
  if (auto scanned = ScanDate(scanner, settings)) {
    date = *scanned;
    scanner.SkipBlanks();
    if (!scanner.AtEnd()) {
      const auto scannedTime = ScanTime(scanner, settings);
      if (!scannedTime) return std::nullopt;
      time = *scannedTime;
    }
  } else {
    // Not a date: the text may be a time of its own.
    scanner.Rewind(0);
    const auto scannedTime = ScanTime(scanner, settings);
    if (!scannedTime) return std::nullopt;
    time = *scannedTime;
  }
  scanner.SkipBlanks();
  if (!scanner.AtEnd()) return std::nullopt;
  return TDateTime::Encode(date.year, date.month, date.day, time.hour, time.minute, time.second,
                           time.millisecond);
}

}  // namespace quonel
