#include "app/date_time.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

DateFormatSettings Chinese() {
  DateFormatSettings settings;
  settings.order = DateOrderOfPattern(L"yyyy/M/d");
  settings.amDesignator = L"上午";
  settings.pmDesignator = L"下午";
  settings.currentYear = 2026;
  return settings;
}

TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0) {
  return *TDateTime::Encode(y, m, d, h, n, s);
}

TEST(DateTime, EncodingCountsFromTheClassicEpochAndOrdersMoments) {
  EXPECT_EQ(0, At(1899, 12, 30).Milliseconds());
  EXPECT_EQ(86400000LL * 2 + 3600000, At(1900, 1, 1, 1).Milliseconds());
  EXPECT_LT(At(2026, 12, 7, 9, 5, 0), At(2026, 12, 7, 9, 5, 2));
  EXPECT_FALSE(TDateTime::Encode(2026, 2, 29));
  EXPECT_TRUE(TDateTime::Encode(2024, 2, 29));
  EXPECT_FALSE(TDateTime::Encode(2026, 13, 1));
  EXPECT_FALSE(TDateTime::Encode(2026, 1, 1, 24));
}

TEST(DateTime, ReadsTheChineseShortFormatsLeniently) {
  const DateFormatSettings zh = Chinese();
  EXPECT_EQ(At(2026, 12, 7, 9, 5, 0), TryStrToDateTime(L"2026/12/7 9:05:00", zh));
  EXPECT_EQ(At(2026, 12, 7, 9, 5, 0), TryStrToDateTime(L"  2026/12/07   09:05  ", zh));
  EXPECT_EQ(At(2026, 12, 7), TryStrToDateTime(L"2026/12/7", zh));
  EXPECT_EQ(At(2026, 3, 4, 13, 0, 0), TryStrToDateTime(L"3/4 1:00:00 下午", zh));
  EXPECT_EQ(At(2026, 12, 7, 0, 30), TryStrToDateTime(L"26/12/7 12:30 上午", zh));
  EXPECT_EQ(At(1980, 1, 2), TryStrToDateTime(L"80/1/2", zh));
  EXPECT_EQ(At(1899, 12, 30, 9, 5), TryStrToDateTime(L"9:05", zh));
  EXPECT_EQ(std::optional<TDateTime>(At(2026, 12, 7, 9, 5, 7)).value().Milliseconds() + 250,
            TryStrToDateTime(L"2026/12/7 9:05:07.250", zh)->Milliseconds());
}

TEST(DateTime, RejectsWhatIsNotADateTime) {
  const DateFormatSettings zh = Chinese();
  for (const wchar_t* text : {L"", L"   ", L"2026-12-07 09:05:00", L"2026/12/7 9:05:00 x",
                              L"2026/13/1", L"2026/2/30", L"2026/12/7 25:00", L"12/7/2026/1",
                              L"2026/12/7 9:", L"abc", L"99999999999/1/1", L"2026/12/7 13:00 下午"})
    EXPECT_FALSE(TryStrToDateTime(text, zh)) << std::string(text, text + wcslen(text));
}

TEST(DateTime, FollowsTheDateOrderOfOtherRegions) {
  DateFormatSettings us;
  us.order = DateOrderOfPattern(L"M/d/yyyy");
  EXPECT_EQ(At(2026, 12, 7, 21, 5), TryStrToDateTime(L"12/7/2026 9:05 PM", us));
  DateFormatSettings de;
  de.order = DateOrderOfPattern(L"dd.MM.yyyy");
  de.dateSeparator = L'.';
  EXPECT_EQ(At(2026, 12, 7), TryStrToDateTime(L"7.12.2026", de));
  EXPECT_FALSE(TryStrToDateTime(L"2026/12/7", de));
}

}  // namespace
}  // namespace quonel
