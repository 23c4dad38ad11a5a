// Colour values of the skin description: three decimal numbers for red,
// green and blue, separated by anything that is not a digit.
#pragma once
#include <string_view>

#include "skin/pixels/colour_math.h"

namespace quonel {

// An absent or empty text gives the fallback. Numbers after the third are
// ignored; a lone number gives black (trailing digits count only as the
// third number).
TColor ParseColour(std::string_view text, TColor fallback);

}  // namespace quonel
