#include "skin/pixels/colour_math.h"

#include <algorithm>
#include <cmath>

namespace quonel {

TColor ResolveColour(TColor colour, SystemColourResolver resolve) {
  if (!IsSystemColour(colour)) return colour;
  return static_cast<TColor>(resolve(colour & 0xFF) & 0xFFFFFF);
}

TColor BlendColors(TColor c1, TColor c2, int weight, SystemColourResolver resolve) {
  const uint32_t a = static_cast<uint32_t>(ResolveColour(c1, resolve));
  const uint32_t b = static_cast<uint32_t>(ResolveColour(c2, resolve));
  const int64_t scale = weight < 100 ? 100 : 1000;
  auto mix = [&](int64_t chA, int64_t chB) {
    // Truncating division, as the colour arithmetic everywhere else.
    return static_cast<uint32_t>((chB * (scale - weight) + chA * weight + scale / 2) / scale) & 0xFF;
  };
  // Blue is "bits 16 and up": a stray top byte takes part before masking.
  const uint32_t red = mix(a & 0xFF, b & 0xFF);
  const uint32_t green = mix((a >> 8) & 0xFF, (b >> 8) & 0xFF);
  const uint32_t blue = mix(a >> 16, b >> 16);
  return static_cast<TColor>(red | (green << 8) | (blue << 16));
}

int ColorSaturation(TColor colour) {
  const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
  const int high = std::max({r, g, b});
  const int low = std::min({r, g, b});
  const double s = high == 0 ? 0.0 : static_cast<double>(high - low) / high;
  if (r > 159 || g > 159 || b > 159) return static_cast<int>(std::nearbyint(s * 255.0));
  return 200;
}

}  // namespace quonel
