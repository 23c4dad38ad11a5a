// Which frame of a check-box or radio-button mark strip shows a state. Most
// strips hold unchecked, checked, unchecked disabled, checked disabled (and
// more); a check strip of exactly 12 frames and a radio strip of exactly 8
// have their own order. Platform-free.
#pragma once

namespace quonel {

enum class CheckValue { Unchecked, Checked, Indeterminate };

struct CheckMarkState {
  CheckValue value = CheckValue::Unchecked;
  bool disabled = false;
  // The indeterminate state came from a property or a message of the control
  // rather than from the window's own state bits.
  bool indeterminateFromControl = false;
};

// The frame (from 1) of a check box in a strip of frameCount frames.
int CheckBoxFrame(const CheckMarkState& state, int frameCount);
// The frame (from 1) of a radio button in a strip of frameCount frames.
int RadioButtonFrame(bool checked, bool disabled, int frameCount);

}  // namespace quonel
