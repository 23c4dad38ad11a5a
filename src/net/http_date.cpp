#include "net/http_date.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "net/http_text.h"

namespace quonel {
namespace {

constexpr const char* kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr int64_t kUnixEpochDays = 25569;  // 1970-01-01 in days since 1899-12-30

int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;  // days since 1970-01-01
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

bool IsDigits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

int MonthOf(const std::string& token) {
  if (token.size() < 3) return 0;
  const std::string upper = AsciiUpper(token.substr(0, 3));
  for (int i = 0; i < 12; ++i)
    if (upper == kMonths[i]) return i + 1;
  return 0;
}

// "hh:mm:ss" or "hh:mm"; false when the token is not a time.
bool ParseTime(const std::string& token, int& h, int& mi, int& s) {
  int parts[3] = {0, 0, 0};
  int count = 0;
  std::string digits;
  for (size_t i = 0; i <= token.size(); ++i) {
    if (i == token.size() || token[i] == ':') {
      if (!IsDigits(digits) || digits.size() > 2 || count == 3) return false;
      parts[count++] = std::stoi(digits);
      digits.clear();
    } else {
      digits.push_back(token[i]);
    }
  }
  if (count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 60) return false;
  h = parts[0], mi = parts[1], s = parts[2];
  return true;
}

}  // namespace

NetDateTime EncodeNetDateTime(int year, int month, int day, int hour, int minute, int second) {
  const int64_t days = DaysFromCivil(year, month, day) + kUnixEpochDays;
  return static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

NetDateTime NetDateTimeFromUnixSeconds(int64_t seconds) {
  return kUnixEpochDays + static_cast<double>(seconds) / 86400.0;
}

NetDateTime NetNow() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  return kUnixEpochDays + static_cast<double>(ms) / 86400000.0;
}

std::optional<NetDateTime> ParseInternetDate(std::string_view text) {
  std::vector<std::string> tokens;
  std::string current;
  for (char c : text) {
    if (c == ' ' || c == ',' || c == '-' || c == '\t') {
      if (!current.empty()) tokens.push_back(current);
      current.clear();
      // A zone written as "-hhmm" keeps its sign.
      if (c == '-' && !tokens.empty() && tokens.back().find(':') != std::string::npos) current.push_back('-');
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) tokens.push_back(current);

  int day = 0, month = 0, year = -1, hour = -1, minute = 0, second = 0, zoneMinutes = 0;
  for (const std::string& token : tokens) {
    int h, mi, s;
    if (hour < 0 && ParseTime(token, h, mi, s)) {
      hour = h, minute = mi, second = s;
    } else if (month == 0 && MonthOf(token) != 0 && !IsDigits(token)) {
      month = MonthOf(token);
    } else if (IsDigits(token) && token.size() <= 2 && day == 0) {
      day = std::stoi(token);
    } else if (IsDigits(token) && year < 0 && token.size() <= 4) {
      year = std::stoi(token);
      // Two-digit years of the RFC 850 form: 70..99 are 19xx, the rest 20xx.
      if (token.size() <= 2) year += year >= 70 ? 1900 : 2000;
    } else if ((token[0] == '+' || token[0] == '-') && token.size() == 5 && IsDigits(token.substr(1))) {
      const int value = std::stoi(token.substr(1));
      zoneMinutes = (value / 100 * 60 + value % 100) * (token[0] == '-' ? -1 : 1);
    }
  }
  if (day < 1 || day > 31 || month == 0 || year < 0 || hour < 0) return std::nullopt;
  return EncodeNetDateTime(year, month, day, hour, minute, second) - zoneMinutes / 1440.0;
}

std::string FormatInternetDate(NetDateTime value) {
  const double totalSeconds = std::floor(value * 86400.0 + 0.5);
  int64_t days = static_cast<int64_t>(std::floor(totalSeconds / 86400.0));
  int secondOfDay = static_cast<int>(totalSeconds - static_cast<double>(days) * 86400.0);
  int y, m, d;
  CivilFromDays(days - kUnixEpochDays, y, m, d);
  const int weekday = static_cast<int>(((days - kUnixEpochDays) % 7 + 7 + 4) % 7);  // 1970-01-01 was a Thursday
  static constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[weekday], d,
                kMonthNames[m - 1], y, secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
  return buffer;
}

}  // namespace quonel
