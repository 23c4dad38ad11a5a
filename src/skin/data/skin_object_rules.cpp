#include "skin/data/skin_object_rules.h"

#include "core/ascii_case.h"

#include <algorithm>

namespace quonel {


std::vector<std::string> CaptionButtonSections(const TQuickIni& ini, const std::vector<std::string>& sections) {
  std::vector<std::string> kept;
  for (const std::string& section : sections) {
    const std::string name = AsciiUpper(section);
    if (name.rfind("BUTTON", 0) != 0) continue;
    if (name == "BUTTON" || name == "BUTTONS" || name == "BUTTON.RADIO" || name == "BUTTON.CHECKBOX") continue;
    if (ini.ReadInteger(name, "Action", 0) == -1 && ini.ReadInteger(name, "Visibility", -1) != 0) continue;
    kept.push_back(name);
  }
  return kept;
}

std::vector<std::string> ColourTableSections(const std::vector<std::string>& sections) {
  std::vector<std::string> kept;
  for (const std::string& section : sections) {
    const std::string name = AsciiUpper(section);
    if (name.rfind("COLOUR", 0) == 0 && name != "COLOURS") kept.push_back(section);
  }
  return kept;
}

int CaptionButtonFrames(int action, bool hasImage, int width, int height) {
  if (!hasImage || action < 0 || height <= 0) return 6;
  // width / height <= 3.8 without floating point: 10 * width <= 38 * height.
  return 10ll * width <= 38ll * height ? 3 : 6;
}

int CheckFramesFromImage(int width, int height) {
  const int cell = height < 16 ? 13 : 16;
  return std::max(4, width / cell);
}

MdiButtonCut MdiButtonPiece(int imageWidth, int button) {
  const int column = imageWidth / 12;
  return {4 * button * column, 4 * column, (column + 4) * (3 - button)};
}

}  // namespace quonel
