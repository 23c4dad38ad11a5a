// The product runs on Simplified Chinese Windows: code page 936 and the
// Chinese date and time formats. Without the zh_CN locale on the host, Wine
// silently falls back to 1252 and US formats; these tests catch that.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring LocaleText(LCTYPE type) {
  wchar_t buffer[128] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128);
  return buffer;
}

TEST(PlatformLocale, AnsiCodePageIsGb2312) { EXPECT_EQ(936u, GetACP()); }

TEST(PlatformLocale, DateAndTimeFormatsAreChinese) {
  EXPECT_EQ(L"yyyy/M/d", LocaleText(LOCALE_SSHORTDATE));
  EXPECT_EQ(L"HH:mm:ss", LocaleText(LOCALE_STIMEFORMAT));
}

TEST(PlatformLocale, AnsiTextConvertsAsGb2312) {
  // "加速器" in GB2312.
  const char ansi[] = "\xBC\xD3\xCB\xD9\xC6\xF7";
  wchar_t wide[8] = {};
  ASSERT_EQ(3, MultiByteToWideChar(CP_ACP, 0, ansi, 6, wide, 8));
  EXPECT_EQ(std::wstring(L"加速器"), std::wstring(wide, 3));
}

}  // namespace
