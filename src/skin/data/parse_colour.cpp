#include "skin/data/parse_colour.h"

#include "skin/data/quick_ini.h"

namespace quonel {

TColor ParseColour(std::string_view text, TColor fallback) {
  text = TrimControls(text);
  if (text.empty()) return fallback;
  int components[3] = {0, 0, 0};
  int stored = 0;
  // Only the low byte survives, so accumulate modulo 256 and never overflow.
  int number = 0;
  bool started = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      number = (number * 10 + (c - '0')) % 256;
      started = true;
    } else if (started) {
      if (stored < 3) components[stored] = number;
      ++stored;
      number = 0;
      started = false;
    }
  }
  if (started && stored == 2) components[stored++] = number;
  return MakeColour(components[0], components[1], components[2]);
}

}  // namespace quonel
