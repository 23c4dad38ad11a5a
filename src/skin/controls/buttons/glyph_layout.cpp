#include "skin/controls/buttons/glyph_layout.h"

namespace quonel {

Rect GlyphTextArea(int width, int height, TextSize glyph, GlyphSide side) {
  Rect area{2, 2, width - 2, height - 2};
  if (side == GlyphSide::Left || side == GlyphSide::Right) area.right -= glyph.width + 2;
  else area.bottom -= glyph.height + 2;
  return area;
}

GlyphLayout LayOutGlyph(const GlyphLayoutInput& in) {
  const bool across = in.side == GlyphSide::Left || in.side == GlyphSide::Right;
  const int extent = across ? in.width : in.height;
  const int glyphExtent = across ? in.glyph.width : in.glyph.height;
  const int textExtent = across ? in.text.width : in.text.height;
  int margin = in.margin;
  int spacing = in.text.width == 0 || in.glyph.width == 0 ? 0 : in.spacing;
  if (margin == -1 || (in.centred && !in.speedButton)) {
    if (spacing == -1) {
      margin = spacing = (extent - glyphExtent - textExtent) / 3;
    } else if (in.speedButton) {
      margin = (extent - (glyphExtent + spacing + textExtent)) / 2 + 1;
    } else {
      margin = (extent - glyphExtent - spacing - textExtent) / 2;
    }
  } else if (spacing == -1) {
    spacing = ((extent - margin - glyphExtent) - textExtent) / 2;
  }

  GlyphLayout out;
  int textX = 0, textY = 0;
  if (across) {
    out.glyphY = (in.height - in.glyph.height + 1) / 2;
    textY = (in.height - in.text.height + 1) / 2;
  } else {
    out.glyphX = (in.width - in.glyph.width + 1) / 2;
    textX = (in.width - in.text.width + 1) / 2;
  }
  switch (in.side) {
    case GlyphSide::Left:
      out.glyphX = margin;
      textX = out.glyphX + in.glyph.width + spacing;
      break;
    case GlyphSide::Right:
      out.glyphX = in.width - margin - in.glyph.width;
      textX = out.glyphX - spacing - in.text.width;
      out.format = kFormatRight;
      break;
    case GlyphSide::Top:
      out.glyphY = margin;
      textY = out.glyphY + in.glyph.height + spacing;
      out.format = kFormatCentre;
      break;
    case GlyphSide::Bottom:
      out.glyphY = in.height - margin - in.glyph.height;
      textY = out.glyphY - spacing - in.text.height;
      out.format = kFormatCentre;
      break;
  }
  out.text = {textX, textY, textX + in.text.width, textY + in.text.height};
  return out;
}

}  // namespace quonel
