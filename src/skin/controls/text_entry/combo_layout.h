// A skinned combo box's drop-down button and the frame of its state.
// Platform-free; shared by the painter and the mouse handling.
#pragma once
#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

struct ComboLook {
  bool disabled = false;
  bool pressed = false;  // the button held down or the list dropped
  bool hot = false;
  bool focused = false;
};
// 1 normal, 2 pressed, 3 disabled, 4 hot or focused.
int ComboFrame(const ComboLook& look);

// The button: buttonWidth wide at the right of the control (at the left for
// left-hand scroll bars), its whole height.
Rect ComboButtonArea(const Rect& control, int buttonWidth, bool atLeft);

}  // namespace quonel
