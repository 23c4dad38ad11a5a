#include "ui/gauge_values.h"

#include <gtest/gtest.h>

#include <climits>

namespace quonel {
namespace {

TEST(GaugeValues, ProgressStaysWithinTheLimitsAndPercentTruncates) {
  GaugeValues gauge;
  gauge.SetProgress(150);
  EXPECT_EQ(100, gauge.Progress());
  gauge.SetProgress(-5);
  EXPECT_EQ(0, gauge.Progress());
  gauge.SetMax(3);
  gauge.SetProgress(2);
  EXPECT_EQ(66, gauge.Percent());
  EXPECT_EQ(246, gauge.FilledLength(369));
  gauge.SetMax(1);
  EXPECT_EQ(1, gauge.Progress()) << "lowering the maximum pulls the progress down";
}

TEST(GaugeValues, EmptyOrInvertedRangesAndExtremeValuesDoNotDivideByZeroOrOverflow) {
  GaugeValues gauge;
  gauge.SetMax(0);
  EXPECT_EQ(0, gauge.Percent());
  EXPECT_EQ(0, gauge.FilledLength(100));
  gauge.SetMin(10);
  EXPECT_EQ(10, gauge.Max()) << "a minimum above the maximum drags it along";
  gauge.SetMin(INT_MIN);
  gauge.SetMax(INT_MAX);
  gauge.SetProgress(INT_MAX);
  EXPECT_EQ(100, gauge.Percent());
  EXPECT_EQ(369, gauge.FilledLength(369));
}

}  // namespace
}  // namespace quonel
