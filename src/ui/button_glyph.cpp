#include "ui/button_glyph.h"

namespace quonel {

void DrawGlyphAndCaption(HDC dc, const RECT& rect, const TButtonGlyph& glyph, int index, const std::wstring& caption,
                         bool enabled) {
  const int count = glyph.NumGlyphs > 0 ? glyph.NumGlyphs : 1;
  const int glyphWidth = glyph.Glyph.Empty() ? 0 : glyph.Glyph.Width() / count;
  const int glyphHeight = glyph.Glyph.Empty() ? 0 : glyph.Glyph.Height();
  RECT text{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  if (!caption.empty()) DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CALCRECT | DT_SINGLELINE);
  const int textWidth = caption.empty() ? 0 : text.right, textHeight = caption.empty() ? 0 : text.bottom;
  const int spacing = glyphWidth && textWidth ? glyph.Spacing : 0;
  const bool across = glyph.Layout == TButtonLayout::blGlyphLeft || glyph.Layout == TButtonLayout::blGlyphRight;
  const int width = across ? glyphWidth + spacing + textWidth : std::max(glyphWidth, textWidth);
  const int height = across ? std::max(glyphHeight, textHeight) : glyphHeight + spacing + textHeight;
  const int left = rect.left + (rect.right - rect.left - width) / 2;
  const int top = rect.top + (rect.bottom - rect.top - height) / 2;
  POINT glyphAt{left, top + (height - glyphHeight) / 2}, textAt{left + glyphWidth + spacing, top + (height - textHeight) / 2};
  switch (glyph.Layout) {
    case TButtonLayout::blGlyphRight: glyphAt.x = left + textWidth + spacing; textAt.x = left; break;
    case TButtonLayout::blGlyphTop:
      glyphAt = {left + (width - glyphWidth) / 2, top};
      textAt = {left + (width - textWidth) / 2, top + glyphHeight + spacing};
      break;
    case TButtonLayout::blGlyphBottom:
      textAt = {left + (width - textWidth) / 2, top};
      glyphAt = {left + (width - glyphWidth) / 2, top + textHeight + spacing};
      break;
    case TButtonLayout::blGlyphLeft: break;
  }
  if (glyphWidth > 0) {
    const int frame = index >= 1 && index <= count ? index : 1;
    const int x = (frame - 1) * glyphWidth;
    DrawBitmapPart(dc, glyphAt.x, glyphAt.y, glyph.Glyph, x, 0, glyphWidth, glyphHeight,
                   glyph.Glyph.Pixel(x, glyphHeight - 1));
  }
  if (textWidth > 0) {
    RECT at{textAt.x, textAt.y, textAt.x + textWidth, textAt.y + textHeight};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &at, DT_SINGLELINE);
  }
}

}  // namespace quonel
