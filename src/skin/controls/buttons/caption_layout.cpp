#include "skin/controls/buttons/caption_layout.h"

#include <algorithm>

namespace quonel {

std::wstring PrepareButtonCaption(std::wstring caption) {
  const size_t at = caption.find(L"||");
  if (at != std::wstring::npos) caption.replace(at, 2, L"\r\n");
  return caption;
}

Rect ButtonTextRect(const Rect& button, TextSize text, bool centred) {
  Rect rect;
  rect.top = button.top + (button.Height() - text.height) / 2 - 1;
  rect.bottom = rect.top + text.height;
  if (centred) {
    rect.left = button.left + (button.Width() - text.width) / 2;
    rect.right = rect.left + text.width;
  } else {
    rect.left = button.left;
    rect.right = button.right;
  }
  return rect;
}

Rect CaptionFocusRect(const Rect& area, TextSize text, unsigned format) {
  Rect rect{area.left, area.top, area.left + text.width, area.top + text.height};
  const int spareWidth = area.Width() - text.width;
  const int spareHeight = area.Height() - text.height;
  int dx = 0, dy = 0;
  if (format & kFormatCentre) {
    dx = spareWidth / 2;
    dy = spareHeight / 2 - 1;
  } else if (format & kFormatRight) {
    dx = spareWidth;
  }
  rect = {rect.left + dx - 2, rect.top + dy - 1, rect.right + dx + 2, rect.bottom + dy + 1};
  rect.left = std::max(rect.left, area.left);
  rect.top = std::max(rect.top, area.top);
  rect.right = std::min(rect.right, area.right);
  rect.bottom = std::min(rect.bottom, area.bottom);
  return rect;
}

MarkLayout LayOutMark(const Rect& control, int markWidth, int markHeight, bool textOnLeft, bool radio) {
  MarkLayout layout;
  const int top = control.top + (control.Height() - markHeight) / 2;
  if (textOnLeft) {
    const int right = control.right - (radio ? 1 : 0);
    layout.mark = {right - markWidth, top, right, top + markHeight};
    layout.captionArea = {control.left, control.top, layout.mark.left - 2, control.bottom};
  } else {
    layout.mark = {control.left, top, control.left + markWidth, top + markHeight};
    layout.captionArea = {layout.mark.right + 2, control.top, control.right, control.bottom};
  }
  return layout;
}

int GroupFrameTop(int digitHeight) { return digitHeight / 2 - 1; }

Rect GroupCaptionRect(const Rect& box, bool alignedRight) {
  if (alignedRight) return {box.left, box.top, box.right - 8, box.bottom};
  return {box.left + 8, box.top, box.right, box.bottom};
}

}  // namespace quonel
