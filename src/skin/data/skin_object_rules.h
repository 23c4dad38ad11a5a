// The numeric rules of building skin objects that need no bitmap: which
// sections are caption buttons or colour-table entries, and the frame counts
// and cuts derived from image sizes.
#pragma once
#include <string>
#include <vector>

#include "skin/data/quick_ini.h"

namespace quonel {

// Upper-cased section names that start with BUTTON (other than the push,
// radio and check-box sections), in file order, without the ones whose
// Action is -1 unless their Visibility is 0.
std::vector<std::string> CaptionButtonSections(const TQuickIni& ini, const std::vector<std::string>& sections);

// Sections whose upper-cased name starts with COLOUR and is not COLOURS.
std::vector<std::string> ColourTableSections(const std::vector<std::string>& sections);

// Frames of a caption button without a frame key: 3 for an image at most
// 3.8 times as wide as high, else 6; always 6 without image or with a
// negative Action.
int CaptionButtonFrames(int action, bool hasImage, int width, int height);

// Frames of a radio or check strip that does not say: cells of 13 pixels
// for images under 16 high, else 16; at least 4.
int CheckFramesFromImage(int width, int height);

// The MDI buttons' cut of an image W wide into 12 columns: button i takes
// 4 columns from column 4i and sits at X = (w + 4) * (3 - i).
struct MdiButtonCut {
  int sourceX = 0;
  int width = 0;
  int x = 0;
};
MdiButtonCut MdiButtonPiece(int imageWidth, int button);

}  // namespace quonel
