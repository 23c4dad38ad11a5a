// Where the skinned buttons, check marks and group boxes put their captions,
// marks and focus rectangles: the arithmetic alone, shared by the painters
// and their tests. Platform-free; the text sizes come from the caller.
#pragma once
#include <string>

#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

// The text-format bits the placement looks at (the platform's values).
constexpr unsigned kFormatCentre = 0x1;
constexpr unsigned kFormatRight = 0x2;

struct TextSize {
  int width = 0, height = 0;
};

// The caption with its first "||" turned into a line break; later ones stay.
std::wstring PrepareButtonCaption(std::wstring caption);

// A push button's caption in the button's rectangle: one pixel above the
// vertical centre, centred across when centred, else as wide as the button.
Rect ButtonTextRect(const Rect& button, TextSize text, bool centred);

// The focus rectangle around a caption of that size laid out in area by the
// format's alignment: 2 pixels wider and 1 higher on each side, kept inside area.
Rect CaptionFocusRect(const Rect& area, TextSize text, unsigned format);

struct MarkLayout {
  Rect mark;
  Rect captionArea;
};
// The mark of a check box or radio button and the room left for its caption:
// the mark at the left, or at the right for left-hand text (a radio mark one
// pixel in from the edge), vertically centred, 2 pixels from the caption.
MarkLayout LayOutMark(const Rect& control, int markWidth, int markHeight, bool textOnLeft, bool radio);

// The group box's rounded frame starts half a "0" high, less one pixel.
int GroupFrameTop(int digitHeight);
// The group box caption's band: 8 pixels in from the side it is aligned to.
Rect GroupCaptionRect(const Rect& box, bool alignedRight);

}  // namespace quonel
