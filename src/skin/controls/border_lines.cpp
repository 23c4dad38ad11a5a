#include "skin/controls/border_lines.h"

#include <algorithm>

namespace quonel {

Margins FitBorderLines(const Margins& realBorder, int lines) {
  const auto fit = [lines](int real) { return std::clamp(real, 0, std::max(0, lines)); };
  return {fit(realBorder.left), fit(realBorder.top), fit(realBorder.right), fit(realBorder.bottom)};
}

BorderStrips BorderLineStrips(const Rect& window, const Margins& fitted, int line) {
  const Rect r{window.left + line, window.top + line, window.right - line, window.bottom - line};
  BorderStrips result;
  if (r.Width() <= 0 || r.Height() <= 0) return result;
  const auto add = [&result](const Rect& strip) { result.strips[static_cast<size_t>(result.count++)] = strip; };
  if (fitted.top > line) add({r.left, r.top, r.right, r.top + 1});
  if (fitted.bottom > line) add({r.left, r.bottom - 1, r.right, r.bottom});
  if (fitted.left > line) add({r.left, r.top, r.left + 1, r.bottom});
  if (fitted.right > line) add({r.right - 1, r.top, r.right, r.bottom});
  return result;
}

}  // namespace quonel
