#include "skin/controls/buttons/mark_frames.h"

namespace quonel {

int CheckBoxFrame(const CheckMarkState& state, int frameCount) {
  const bool checked = state.value == CheckValue::Checked;
  if (frameCount == 12) {
    switch (state.value) {
      // The strip's own indeterminate frames show the window's grey state; a
      // grey state only the control's property or message knows is counted
      // as the greyed checked value (4, or 6 when disabled), which the
      // remap turns into 8 and leaves at 6.
      case CheckValue::Indeterminate:
        if (state.indeterminateFromControl) return state.disabled ? 6 : 8;
        return state.disabled ? 12 : 9;
      case CheckValue::Checked: return state.disabled ? 8 : 5;
      case CheckValue::Unchecked: return state.disabled ? 4 : 1;
    }
  }
  if (state.value == CheckValue::Indeterminate) {
    // A disabled indeterminate mark of the control's own has frame 6 where
    // the strip has one; a shorter strip shows the greyed checked frame.
    if (state.disabled && state.indeterminateFromControl && frameCount >= 6) return 6;
    return 4;
  }
  return (checked ? 2 : 1) + (state.disabled ? 2 : 0);
}

int RadioButtonFrame(bool checked, bool disabled, int frameCount) {
  const int frame = (checked ? 2 : 1) + (disabled ? 2 : 0);
  if (frameCount != 8) return frame;
  switch (frame) {
    case 2: return 5;
    case 3: return 4;
    case 4: return 8;
    default: return 1;
  }
}

}  // namespace quonel
