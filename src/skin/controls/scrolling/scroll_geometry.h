// Where the parts of a skinned scroll bar lie along its axis: the arrows,
// the thumb of a scroll bar control, a dragged thumb, and which part a point
// hits. Pure integer arithmetic shared by the painter and the hit test; no
// platform header.
#pragma once

namespace quonel {

// The parts of a bar, numbered like the platform's scroll requests so that a
// scroll notification names the part it came from.
enum ScrollPart {
  kScrollNone = -1,
  kScrollFirstArrow = 0,   // up or left
  kScrollSecondArrow = 1,  // down or right
  kScrollPageBefore = 2,   // track before the thumb
  kScrollPageAfter = 3,    // track after the thumb
  kScrollThumb = 5,
};

// Thumb start and end along the axis, from the bar's start.
struct ThumbSpan {
  int start = 0, end = 0;
  int Length() const { return end - start; }
  bool operator==(const ThumbSpan&) const = default;
};

// A bar of `length` pixels with arrow buttons of `buttonSize`.
struct ScrollBarAxis {
  int length = 0;
  int buttonSize = 0;
  ThumbSpan thumb;
};

// The part under `along` (pixels from the bar's start).
ScrollPart ScrollHitTest(const ScrollBarAxis& bar, int along);

// Each arrow's length: half the bar when it is shorter than two buttons.
int ScrollArrowLength(int length, int buttonSize);

// Across the axis: the strip's image height, unless it differs from the
// button size by more than 2 pixels.
int ScrollBarThickness(int imageHeight, int buttonSize);

// A scroll bar control's state as GetScrollInfo gives it.
struct ScrollRange {
  int min = 0, max = 0;
  unsigned page = 0;
  int pos = 0;
};

// The thumb of a scroll bar control. An empty or reversed range counts as
// a very large one (the thumb stays at the start); lengths that would go
// negative on a short bar count as 0. minimumEight: a paged thumb is never
// shorter than 8 pixels (the painter's rule; the button-down has none).
ThumbSpan ScrollControlThumb(const ScrollBarAxis& bar, const ScrollRange& range, bool minimumEight);

// The thumb dragged by `moved` pixels from where it was when the button went
// down: it keeps its length and stays between the arrows.
ThumbSpan DraggedThumb(const ScrollBarAxis& bar, int startThumb, int moved);

// MulDiv of the platform: a * b / c rounded to the nearest, -1 for c == 0.
int MulDivRounded(int a, int b, int c);

}  // namespace quonel
