#include "app/regional_settings.h"

#include <windows.h>

namespace quonel {
namespace {

std::wstring LocaleText(LCTYPE type) {
  wchar_t buffer[128] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128);
  return buffer;
}

wchar_t FirstOf(const std::wstring& text, wchar_t fallback) { return text.empty() ? fallback : text[0]; }

}  // namespace

DateFormatSettings UserDateFormatSettings() {
  DateFormatSettings settings;
  settings.order = DateOrderOfPattern(LocaleText(LOCALE_SSHORTDATE));
  settings.dateSeparator = FirstOf(LocaleText(LOCALE_SDATE), L'/');
  settings.timeSeparator = FirstOf(LocaleText(LOCALE_STIME), L':');
  const std::wstring am = LocaleText(LOCALE_S1159), pm = LocaleText(LOCALE_S2359);
  if (!am.empty()) settings.amDesignator = am;
  if (!pm.empty()) settings.pmDesignator = pm;
  SYSTEMTIME now;
  GetLocalTime(&now);
  settings.currentYear = now.wYear;
  return settings;
}

}  // namespace quonel
