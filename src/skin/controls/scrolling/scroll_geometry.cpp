#include "skin/controls/scrolling/scroll_geometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace quonel {

namespace {

// The range used when the minimum equals the maximum.
constexpr int kEmptyRange = 9999999;
constexpr int kMinimumThumb = 8;

}  // namespace

int MulDivRounded(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const int64_t half = std::llabs(static_cast<int64_t>(c)) / 2;
  const bool negative = (product < 0) != (c < 0);
  const int64_t magnitude = (std::llabs(product) + half) / std::llabs(static_cast<int64_t>(c));
  const int64_t result = negative ? -magnitude : magnitude;
  return static_cast<int>(std::clamp<int64_t>(result, INT32_MIN, INT32_MAX));
}

ScrollPart ScrollHitTest(const ScrollBarAxis& bar, int along) {
  const int arrow = ScrollArrowLength(bar.length, bar.buttonSize);
  if (along < arrow) return kScrollFirstArrow;
  if (along >= bar.length - arrow) return kScrollSecondArrow;
  if (along < bar.thumb.start) return kScrollPageBefore;
  if (along < bar.thumb.end) return kScrollThumb;
  return kScrollPageAfter;
}

int ScrollArrowLength(int length, int buttonSize) {
  return length < 2 * buttonSize ? std::max(0, length / 2) : buttonSize;
}

int ScrollBarThickness(int imageHeight, int buttonSize) {
  return std::abs(imageHeight - buttonSize) > 2 ? buttonSize : imageHeight;
}

ThumbSpan ScrollControlThumb(const ScrollBarAxis& bar, const ScrollRange& range, bool minimumEight) {
  const int b = bar.buttonSize;
  const int64_t span = static_cast<int64_t>(range.max) - range.min;
  const int total = span > 0 && span <= INT32_MAX ? static_cast<int>(span) : kEmptyRange;
  const int pos = std::clamp(range.pos, std::min(range.min, range.max), std::max(range.min, range.max));
  const int offset = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(pos) - range.min, INT32_MAX));
  const bool atStart = pos <= range.min;
  const int track = std::max(0, bar.length - 2 * b);
  int size = 0;
  int start = b;
  if (range.page != 0) {
    const int page = static_cast<int>(std::min<unsigned>(range.page, INT32_MAX));
    size = MulDivRounded(track, page - 1, total);
    if (size > 7 || !minimumEight) {
      if (!atStart) start = MulDivRounded(track, offset, total) + b;
    } else {
      size = kMinimumThumb;
      if (!atStart) start = MulDivRounded(std::max(0, track - kMinimumThumb), offset, total) + b;
    }
  } else {
    size = b;
    if (!atStart) start = MulDivRounded(std::max(0, bar.length - 3 * b), offset, total) + b;
  }
  // A page larger than the range would push the thumb over the second arrow.
  size = std::clamp(size, 0, track);
  start = std::clamp(start, b, std::max(b, bar.length - b - size));
  return {start, start + size};
}

ThumbSpan DraggedThumb(const ScrollBarAxis& bar, int startThumb, int moved) {
  const int size = std::max(0, bar.thumb.Length());
  const int b = bar.buttonSize;
  const int start = std::clamp(startThumb + moved, b, std::max(b, bar.length - b - size));
  return {start, start + size};
}

}  // namespace quonel
