// The caption text's font: the skin data's caption font at the skin's font
// height, with the GB2312 character set so that Chinese captions render
// whatever face the system's caption font names.
#pragma once
#include <windows.h>

namespace quonel {

// Kept for the thread's life and rebuilt only when base or height change;
// the caller does not free it. Null base: the system's caption metrics.
HFONT CaptionFont(HFONT base, int fontHeight);

}  // namespace quonel
