// The glyph of a bit button or speed button: a strip of NumGlyphs images
// (up, disabled, down, stays down), where it goes beside the caption, and the
// platform-look drawing of glyph and caption the two buttons share.
#pragma once
#include <windows.h>

#include <string>

#include "ui/bitmap.h"

namespace quonel {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TButtonGlyph {
  TBitmap Glyph;
  int NumGlyphs = 1;
  TButtonLayout Layout = TButtonLayout::blGlyphLeft;
  int Margin = -1;  // -1: glyph and caption centred together
  int Spacing = 4;  // between glyph and caption
};

// Glyph image `index` (from 1; beyond NumGlyphs the first) and the caption,
// centred as one group in rect, in the DC's font; greyed text when disabled.
void DrawGlyphAndCaption(HDC dc, const RECT& rect, const TButtonGlyph& glyph, int index, const std::wstring& caption,
                         bool enabled);

// Registers Glyph, NumGlyphs, Layout, Margin and Spacing for class T, which
// keeps a TButtonGlyph reachable through T::ButtonGlyph().
template <class Registrar, class T>
void RegisterGlyphProperties(Registrar& registrar) {
  registrar.Object(L"Glyph", [](T& b) { return &b.ButtonGlyph().Glyph; })
      .Integer(L"NumGlyphs", [](T& b) { return b.ButtonGlyph().NumGlyphs; },
               [](T& b, int64_t v) { b.ButtonGlyph().NumGlyphs = static_cast<int>(v); b.Invalidate(); })
      .Enumeration(L"Layout", {L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom"},
                   [](T& b) { return static_cast<int>(b.ButtonGlyph().Layout); },
                   [](T& b, int64_t v) { b.ButtonGlyph().Layout = static_cast<TButtonLayout>(v); b.Invalidate(); })
      .Integer(L"Margin", [](T& b) { return b.ButtonGlyph().Margin; },
               [](T& b, int64_t v) { b.ButtonGlyph().Margin = static_cast<int>(v); b.Invalidate(); })
      .Integer(L"Spacing", [](T& b) { return b.ButtonGlyph().Spacing; },
               [](T& b, int64_t v) { b.ButtonGlyph().Spacing = static_cast<int>(v); b.Invalidate(); });
}

}  // namespace quonel
