#include "manifest_date.h"

#include <chrono>
#include <cstdio>

#include "app/date_time.h"

namespace quonel::updmanifest {

std::string ManifestDateText(const LocalDateTime& m) {
  char text[64];
  snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d", m.year, m.month, m.day, m.hour, m.minute, m.second);
  return text;
}

std::optional<LocalDateTime> ReadManifestDate(const std::wstring& text, int currentYear) {
  DateFormatSettings settings;  // year/month/day, "/" and ":"
  settings.amDesignator = L"上午";
  settings.pmDesignator = L"下午";
  settings.currentYear = currentYear;
  const std::optional<TDateTime> moment = TryStrToDateTime(text, settings);
  if (!moment) return std::nullopt;
  using namespace std::chrono;
  // TDateTime counts milliseconds from 1899-12-30 00:00.
  const int64_t ms = moment->Milliseconds();
  const int64_t dayCount = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
  const int64_t inDay = (ms - dayCount * 86400000) / 1000;
  const year_month_day date{sys_days{1899y / December / 30} + days{dayCount}};
  return LocalDateTime{static_cast<int>(date.year()),        static_cast<int>(unsigned(date.month())),
                       static_cast<int>(unsigned(date.day())), static_cast<int>(inDay / 3600),
                       static_cast<int>(inDay / 60 % 60),       static_cast<int>(inDay % 60)};
}

}  // namespace quonel::updmanifest
