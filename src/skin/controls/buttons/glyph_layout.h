// Where a skinned bit button or speed button puts its glyph and caption: the
// arithmetic alone. Platform-free; the caller measures the caption.
#pragma once
#include "skin/controls/buttons/caption_layout.h"

namespace quonel {

// 0 glyph left, 1 right, 2 top, 3 bottom of the caption.
enum class GlyphSide { Left = 0, Right = 1, Top = 2, Bottom = 3 };

struct GlyphLayoutInput {
  int width = 0, height = 0;  // the button's client size
  TextSize glyph;             // one glyph image; 0 x 0 for none
  TextSize text;              // the measured caption; 0 x 0 for none
  GlyphSide side = GlyphSide::Left;
  int margin = -1;            // -1: centred
  int spacing = 4;            // -1: spread evenly
  bool centred = false;       // the button's Alignment reads centred (bit buttons)
  bool speedButton = false;   // speed buttons: a given spacing centres the pair one pixel further on
};

struct GlyphLayout {
  int glyphX = 0, glyphY = 0;
  Rect text;
  unsigned format = 0;  // kFormatRight or kFormatCentre where the side asks for it
};

GlyphLayout LayOutGlyph(const GlyphLayoutInput& input);

// The caption's measuring room: the client shrunk by 2, less the glyph and 2 more on its side.
Rect GlyphTextArea(int width, int height, TextSize glyph, GlyphSide side);

}  // namespace quonel
