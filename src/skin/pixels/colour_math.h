// Colour arithmetic of the skin engine: blending, saturation and the
// system-colour convention of TColor (top byte 0xFF = system colour index).
#pragma once
#include <cstdint>

#include "core/color.h"

namespace quonel {

constexpr TColor clMagenta = 0xFF00FF;  // the transparent key of every skin bitmap
constexpr TColor clGray = 0x808080;
// "Not given" marker of the title text colours.
constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor SystemColour(int index) {
  return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index & 0xFF));
}
constexpr bool IsSystemColour(TColor colour) { return colour < 0; }

constexpr int RedOf(uint32_t colour) { return colour & 0xFF; }
constexpr int GreenOf(uint32_t colour) { return (colour >> 8) & 0xFF; }
constexpr int BlueOf(uint32_t colour) { return (colour >> 16) & 0xFF; }
constexpr TColor MakeColour(int red, int green, int blue) {
  return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// Maps a system colour index to its RGB value; the Windows side passes
// GetSysColor, tests pass a table.
using SystemColourResolver = uint32_t (*)(int index);

TColor ResolveColour(TColor colour, SystemColourResolver resolve);

// Mixes c1 and c2: weights below 100 are percent of c1, 100 and above are
// per mille (150 = 15 % of c1). System colours are resolved first.
TColor BlendColors(TColor c1, TColor c2, int weight, SystemColourResolver resolve);

// Saturation 0..255 of a colour with a channel above 159, else 200: dull
// colours count as "saturated enough" for the toolbar gradient.
int ColorSaturation(TColor colour);

}  // namespace quonel
