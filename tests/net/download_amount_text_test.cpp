// The amount label: the locale's digit grouping, zero as the empty text, and
// a repaint throttle that never loses the last numbers.
#include "net/download_amount_text.h"
#include "net/download_repaint_throttle.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

TEST(DownloadAmountText, LabelShowsBothNumbersGrouped) {
  EXPECT_EQ(L"共 4,000 字节，已下载 4,000 字节", DownloadAmountText(4000, 4000, DigitGrouping{}));
  EXPECT_EQ(L"共 268,435,456 字节，已下载 65,536 字节", DownloadAmountText(268435456, 65536, DigitGrouping{}));
  // The pattern gives the empty text for zero.
  EXPECT_EQ(L"共  字节，已下载  字节", DownloadAmountText(0, 0, DigitGrouping{}));
}

TEST(DownloadAmountText, GroupingFollowsTheLocaleRules) {
  const int64_t value = 1234567890;
  EXPECT_EQ(L"1,234,567,890", FormatGroupedNumber(value, ParseDigitGrouping(L"3;0", L",")));
  EXPECT_EQ(L"1,23,45,67,890", FormatGroupedNumber(value, ParseDigitGrouping(L"3;2;0", L",")));
  EXPECT_EQ(L"1234567,890", FormatGroupedNumber(value, ParseDigitGrouping(L"3", L",")));
  EXPECT_EQ(L"1234567890", FormatGroupedNumber(value, ParseDigitGrouping(L"0", L",")));
  EXPECT_EQ(L"1 234 567 890", FormatGroupedNumber(value, ParseDigitGrouping(L"3;0", L" ")));
  EXPECT_EQ(L"999", FormatGroupedNumber(999, DigitGrouping{}));
  EXPECT_EQ(L"9,223,372,036,854,775,807", FormatGroupedNumber(INT64_MAX, DigitGrouping{}));
  EXPECT_EQ(L"-1,000", FormatGroupedNumber(-1000, DigitGrouping{}));
}

TEST(RepaintThrottle, PaintsAtMostOncePerIntervalAndOwesTheLastNumbers) {
  RepaintThrottle throttle(33);
  EXPECT_FALSE(throttle.FinalPaintPending());
  EXPECT_TRUE(throttle.Changed(1000));
  EXPECT_FALSE(throttle.Changed(1010));
  EXPECT_FALSE(throttle.Changed(1032));
  EXPECT_TRUE(throttle.FinalPaintPending());
  EXPECT_TRUE(throttle.Changed(1033));
  EXPECT_FALSE(throttle.FinalPaintPending());
}

}  // namespace
}  // namespace quonel
