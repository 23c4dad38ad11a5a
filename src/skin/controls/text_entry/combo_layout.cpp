#include "skin/controls/text_entry/combo_layout.h"

#include <algorithm>

namespace quonel {

int ComboFrame(const ComboLook& look) {
  if (look.disabled) return 3;
  if (look.pressed) return 2;
  if (look.hot || look.focused) return 4;
  return 1;
}

Rect ComboButtonArea(const Rect& control, int buttonWidth, bool atLeft) {
  const int width = std::clamp(buttonWidth, 0, std::max(0, control.Width()));
  if (atLeft) return {control.left, control.top, control.left + width, control.bottom};
  return {control.right - width, control.top, control.right, control.bottom};
}

}  // namespace quonel
