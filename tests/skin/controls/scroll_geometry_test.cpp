// Where the parts of a skinned scroll bar lie: the thumb of a scroll bar
// control (empty ranges and short bars included), a dragged thumb, and the
// part a point hits.
#include <gtest/gtest.h>

#include <algorithm>

#include "skin/controls/scrolling/scroll_geometry.h"

namespace quonel {
namespace {

constexpr int kButton = 17;

ScrollBarAxis Bar(int length, ThumbSpan thumb = {}) { return {length, kButton, thumb}; }

TEST(ScrollControlThumb, FollowsPositionAndPageBetweenTheArrows) {
  // 100 - 34 = 66 pixels of track for a range of 0..99 with a page of 10.
  EXPECT_EQ((ThumbSpan{17, 23}), ScrollControlThumb(Bar(100), {0, 99, 10, 0}, false)) << "at the start";
  EXPECT_EQ((ThumbSpan{17, 25}), ScrollControlThumb(Bar(100), {0, 99, 10, 0}, true)) << "never below 8 pixels";
  EXPECT_EQ((ThumbSpan{50, 56}), ScrollControlThumb(Bar(100), {0, 99, 10, 50}, false));
  // Without a page the thumb is one button long.
  EXPECT_EQ((ThumbSpan{17, 34}), ScrollControlThumb(Bar(100), {0, 10, 0, 0}, true));
  EXPECT_EQ((ThumbSpan{66, 83}), ScrollControlThumb(Bar(100), {0, 10, 0, 10}, true)) << "at the end, before the arrow";
}

TEST(ScrollControlThumb, EmptyOrReversedRangesAndShortBarsStayInsideTheBar) {
  for (const ScrollRange range : {ScrollRange{5, 5, 0, 5}, ScrollRange{5, 5, 3, 5}, ScrollRange{9, 2, 1, 4}}) {
    const ThumbSpan thumb = ScrollControlThumb(Bar(100), range, true);
    EXPECT_EQ(kButton, thumb.start) << "an empty range keeps the thumb at the start";
    EXPECT_GE(thumb.Length(), 0);
    EXPECT_LE(thumb.end, 100 - kButton);
  }
  // A bar shorter than its arrows: no negative lengths, nothing past the bar.
  for (int length : {0, 10, 20, 34, 40}) {
    const ThumbSpan thumb = ScrollControlThumb(Bar(length), {0, 1000, 900, 1000}, true);
    EXPECT_GE(thumb.Length(), 0) << length;
    EXPECT_LE(thumb.end, std::max(kButton, length - kButton)) << length;
  }
  // A page larger than the range fills the track and no more.
  EXPECT_EQ((ThumbSpan{17, 83}), ScrollControlThumb(Bar(100), {0, 10, 500, 0}, true));
}

TEST(ScrollThumbDrag, KeepsItsLengthAndStaysBetweenTheArrows) {
  const ScrollBarAxis bar = Bar(200, {40, 70});
  EXPECT_EQ((ThumbSpan{65, 95}), DraggedThumb(bar, 40, 25));
  EXPECT_EQ((ThumbSpan{17, 47}), DraggedThumb(bar, 40, -500));
  EXPECT_EQ((ThumbSpan{153, 183}), DraggedThumb(bar, 40, 500));
  // A thumb longer than the track is pinned at the start.
  EXPECT_EQ((ThumbSpan{17, 217}), DraggedThumb(Bar(200, {0, 200}), 0, 30));
}

TEST(ScrollHitTest, ArrowsTrackAndThumbIncludingHalfLengthArrows) {
  const ScrollBarAxis bar = Bar(200, {60, 90});
  EXPECT_EQ(kScrollFirstArrow, ScrollHitTest(bar, 0));
  EXPECT_EQ(kScrollFirstArrow, ScrollHitTest(bar, 16));
  EXPECT_EQ(kScrollPageBefore, ScrollHitTest(bar, 17));
  EXPECT_EQ(kScrollThumb, ScrollHitTest(bar, 60));
  EXPECT_EQ(kScrollPageAfter, ScrollHitTest(bar, 90));
  EXPECT_EQ(kScrollSecondArrow, ScrollHitTest(bar, 183));
  // A 20-pixel bar has two 10-pixel arrows and nothing between them.
  EXPECT_EQ(10, ScrollArrowLength(20, kButton));
  EXPECT_EQ(kScrollFirstArrow, ScrollHitTest(Bar(20), 9));
  EXPECT_EQ(kScrollSecondArrow, ScrollHitTest(Bar(20), 10));
  EXPECT_EQ(kButton, ScrollArrowLength(34, kButton));
}

TEST(ScrollBarThickness, TheStripHeightUnlessFarFromTheButtonSize) {
  EXPECT_EQ(16, ScrollBarThickness(16, 17));
  EXPECT_EQ(19, ScrollBarThickness(19, 17));
  EXPECT_EQ(17, ScrollBarThickness(20, 17));
  EXPECT_EQ(17, ScrollBarThickness(8, 17));
}

TEST(MulDivRounded, RoundsToTheNearestLikeThePlatform) {
  EXPECT_EQ(3, MulDivRounded(5, 5, 8));   // 3.125
  EXPECT_EQ(4, MulDivRounded(7, 5, 8));   // 4.375
  EXPECT_EQ(-3, MulDivRounded(-5, 5, 8));
  EXPECT_EQ(-1, MulDivRounded(1, 1, 0));
  EXPECT_EQ(2000000000, MulDivRounded(2000000000, 2000000000, 2000000000)) << "no overflow in between";
}

}  // namespace
}  // namespace quonel
