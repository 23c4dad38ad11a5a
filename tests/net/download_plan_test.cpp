// The body decisions: a staged copy is declared complete only when its full
// length is known and reached, and only a range at StartPos is appended.
#include "net/download_plan.h"

#include <gtest/gtest.h>

namespace quonel {
namespace {

using Step = DownloadPlan::Step;

ResponseHeaders Answer(const char* contentRange, std::optional<int64_t> contentLength) {
  ResponseHeaders headers;
  if (contentRange) {
    headers.hasContentRange = true;
    headers.range = ParseContentRange(contentRange);
  }
  headers.contentLength = contentLength;
  return headers;
}

TEST(DownloadPlan, ResumeRunsUntilTheFullLengthEvenWhenBodyLengthEqualsStartPos) {
  // 2000-byte file, 1000 staged, 1000 to come: not done before they are in.
  const DownloadPlan plan(2000, 1000, Answer("bytes 1000-1999/2000", 1000));
  EXPECT_EQ(Step::Receive, plan.Next(1000, 0));
  EXPECT_EQ(Step::Receive, plan.Next(1999, 999));
  EXPECT_EQ(Step::Complete, plan.Next(2000, 1000));
}

TEST(DownloadPlan, CompleteOrLongerCopyIsDoneAtOnce) {
  EXPECT_EQ(Step::Complete, DownloadPlan(5000, 5000, Answer("bytes */5000", 200)).Next(5000, 0));
  EXPECT_EQ(Step::Complete, DownloadPlan(5000, 6000, Answer("bytes */5000", 200)).Next(6000, 0));
}

TEST(DownloadPlan, UnknownFullLengthIsTakenFromTheGetAnswer) {
  EXPECT_EQ(5000, DownloadPlan(std::nullopt, 1000, Answer("bytes 1000-4999/5000", 4000)).FullLength());
  EXPECT_EQ(5000, DownloadPlan(std::nullopt, 1000, Answer("bytes 1000-4999/*", 4000)).FullLength());
  EXPECT_EQ(7, DownloadPlan(std::nullopt, 0, Answer("bytes */7", 150)).FullLength());
  // The HEAD's length stays the reference when it has one.
  EXPECT_EQ(6000, DownloadPlan(6000, 1000, Answer("bytes 1000-4999/5000", 4000)).FullLength());
}

TEST(DownloadPlan, WithoutFullLengthNothingIsEverDeclaredComplete) {
  // No HEAD length, a range that gives neither the full length nor a
  // Content-Length: an empty staged copy is not complete, and a delivered
  // body is not either.
  const DownloadPlan plan(std::nullopt, 0, Answer("bytes 0-9/*", std::nullopt));
  EXPECT_FALSE(plan.FullLength());
  EXPECT_EQ(Step::Receive, plan.Next(0, 0));
  EXPECT_EQ(Step::BodyDelivered, plan.Next(10, 10));
}

TEST(DownloadPlan, RangeAtAnotherOffsetOrMalformedIsNotAppended) {
  EXPECT_EQ(Step::NotAppendable, DownloadPlan(2000, 1000, Answer("bytes 0-1999/2000", 2000)).Next(1000, 0));
  EXPECT_EQ(Step::NotAppendable, DownloadPlan(2000, 1000, Answer("bytes 1001-1999/2000", 999)).Next(1000, 0));
  EXPECT_EQ(Step::NotAppendable, DownloadPlan(2000, 1000, Answer("garbage", 999)).Next(1000, 0));
  EXPECT_FALSE(DownloadPlan(2000, 1000, Answer(nullptr, 1000)).MayAppend());
}

TEST(DownloadPlan, UnsatisfiableRangeOnlyConfirmsACompleteCopy) {
  const DownloadPlan plan(std::nullopt, 1000, Answer("bytes */2000", 180));
  EXPECT_EQ(2000, plan.FullLength());
  EXPECT_FALSE(plan.MayAppend());
  EXPECT_EQ(Step::NotAppendable, plan.Next(1000, 0));
}

TEST(DownloadPlan, BodyLengthFromContentLengthOrRangeSpan) {
  EXPECT_EQ(4000, DownloadPlan(5000, 1000, Answer("bytes 1000-4999/5000", std::nullopt)).BodyLength());
  EXPECT_EQ(3000, DownloadPlan(5000, 1000, Answer("bytes 1000-4999/5000", 3000)).BodyLength());
  EXPECT_EQ(4000, DownloadPlan(5000, 1000, Answer("bytes 1000-4999/5000", 9000)).BodyLength());
  // An empty promise is delivered at once, but does not complete a short copy.
  EXPECT_EQ(Step::BodyDelivered, DownloadPlan(5000, 1000, Answer("bytes 1000-4999/5000", 0)).Next(1000, 0));
}

TEST(DownloadPlan, BlocksAreClippedToThePromiseAndTheFullLength) {
  const DownloadPlan plan(2000, 1000, Answer("bytes 1000-1999/2000", 1000));
  EXPECT_EQ(4096, DownloadPlan(1 << 20, 0, Answer("bytes 0-1048575/1048576", 1 << 20)).BytesToKeep(0, 0, 4096));
  EXPECT_EQ(100, plan.BytesToKeep(1900, 900, 4096));
  // The HEAD said less than the range: the copy never outgrows the full length.
  const DownloadPlan shorter(1500, 1000, Answer("bytes 1000-1999/2000", 1000));
  EXPECT_EQ(500, shorter.BytesToKeep(1000, 0, 4096));
  EXPECT_EQ(0, shorter.BytesToKeep(1500, 500, 4096));
}

TEST(DownloadPlan, SizesBeyondTwoGibibytes) {
  const int64_t full = 5LL << 30;
  const int64_t start = (2LL << 30) + 17;
  const DownloadPlan plan(full, start, Answer("bytes 2147483665-5368709119/5368709120", full - start));
  EXPECT_TRUE(plan.MayAppend());
  EXPECT_EQ(full - start, plan.BodyLength());
  EXPECT_EQ(Step::Receive, plan.Next(full - 1, full - start - 1));
  EXPECT_EQ(1, plan.BytesToKeep(full - 1, full - start - 1, 4096));
  EXPECT_EQ(Step::Complete, plan.Next(full, full - start));
}

}  // namespace
}  // namespace quonel
