#include "skin/menus/menu_item_painter.h"

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/gdi/transparent_blit.h"
#include "skin/menus/menu_geometry.h"

namespace quonel {

namespace {

constexpr int kMenuItemFrames = 5;

void DrawCheckMark(HDC dc, const Rect& box, TColor colour, bool radio) {
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  OwnedPen pen(CreatePen(PS_SOLID, 1, ColorToRGB(colour)));
  OwnedBrush brush(CreateSolidBrush(ColorToRGB(colour)));
  SelectionScope usePen(dc, pen.Get());
  SelectionScope useBrush(dc, brush.Get());
  if (radio) {
    Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
    return;
  }
  // A tick three pixels thick: down-right from the left, then up to the right.
  for (int t = 0; t < 3; ++t) {
    const POINT tick[3] = {{cx - 4, cy - 1 + t}, {cx - 2, cy + 1 + t}, {cx + 3, cy - 4 + t}};
    Polyline(dc, tick, 3);
  }
}

// A cell of the image strip, white transparent; grey where disabled.
void DrawImage(HDC dc, const Rect& box, const MenuItemPaint& item, TColor disabledColour) {
  const int w = item.imageWidth, h = item.images->Height();
  SkinBitmap cell = SkinBitmap::Create(w, h);
  if (cell.Empty()) return;
  {
    BitmapDc to(cell);
    BitmapDc from(*item.images);
    BitBlt(to.Get(), 0, 0, w, h, from.Get(), item.imageIndex * w, 0, SRCCOPY);
  }
  if (!item.enabled) {
    BitmapDc grey(cell);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (cell.Pixel(x, y) != clWhite) SetPixelV(grey.Get(), x, y, ColorToRGB(disabledColour));
  }
  const int top = box.top + std::max(0, (box.Height() - h) / 2);
  TransparentBlit(dc, {box.left, top, box.left + w, top + h}, cell, clWhite);
}

void DrawSeparator(HDC dc, const Rect& area, const TDataSkinObject* object) {
  if (!object || object->Image.Empty()) {
    RECT line{area.left, area.top + 4, area.right, area.top + 6};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const FrameCell frame = FrameOf(object->Image.Width(), object->Image.Height(), false, kMenuItemFrames, 2);
  const SeparatorRows rows = SeparatorSourceRows(frame.height, area.Height());
  if (rows.height <= 0) return;
  SkinBitmap strip = SkinBitmap::Create(frame.width, rows.height);
  if (strip.Empty()) return;
  {
    BitmapDc to(strip);
    BitmapDc from(object->Image);
    BitBlt(to.Get(), 0, 0, frame.width, rows.height, from.Get(), frame.x, frame.y + rows.top, SRCCOPY);
  }
  StripFrame cut{strip, 1, 1, {object->Margins.left, 0, object->Margins.right, 0}, false, false, true};
  DrawSkinImage(dc, {area.left, area.top, area.right, area.top + rows.height}, cut);
}

}  // namespace

OwnedFont BoldFontOf(HFONT font) {
  LOGFONTW face{};
  GetObjectW(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), sizeof face, &face);
  face.lfWeight = FW_BOLD;
  return OwnedFont(CreateFontIndirectW(&face));
}

OwnedFont MenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW face{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) face = metrics.lfMenuFont;
  face.lfCharSet = GB2312_CHARSET;
  return OwnedFont(CreateFontIndirectW(&face));
}

void PaintMenuItem(const MenuItemPaint& item) {
  if (!item.data) return;
  const int width = item.rect.right - item.rect.left, height = item.rect.bottom - item.rect.top;
  SkinBitmap canvas = SkinBitmap::Create(width, height);
  if (canvas.Empty()) return;
  const TSkinColours& colours = item.data->Colours();
  const TDataSkinObject* object = item.data->Slot(SkinSlot::MenuItem);
  if (object && object->Image.Empty()) object = nullptr;
  const Rect area{0, 0, width, height};
  BitmapDc dc(canvas);

  if (item.background && !item.background->Empty()) {
    BitmapDc from(*item.background);
    BitBlt(dc.Get(), 0, 0, width, height, from.Get(), item.backgroundOffset.x, item.backgroundOffset.y, SRCCOPY);
  } else {
    FillWithColor(dc.Get(), area, !object && item.selected ? colours.Hilight : colours.Menu);
  }
  if (!object && item.background && item.selected) FillWithColor(dc.Get(), area, colours.Hilight);

  if (item.caption == L"-") {
    DrawSeparator(dc.Get(), area, object);
  } else {
    if (object)
      DrawSkinImage(dc.Get(), area,
                    StripFrame{object->Image, kMenuItemFrames, item.selected ? 4 : 1, object->Margins, false,
                               object->Tile == 1, object->Trans == 1});
    const int leftMargin = object ? object->Margins.left : 0;
    const MenuItemContent content =
        LayoutMenuItemContent(area, leftMargin, item.images ? item.imageWidth : 0, item.checked, item.rightToLeft);
    const bool hasImage = item.images && !item.images->Empty() && item.imageWidth > 0 && item.imageIndex >= 0 &&
                          (item.imageIndex + 1) * item.imageWidth <= item.images->Width();
    if (hasImage) {
      if (item.checked) {
        RECT sunken = ToRECT(content.glyph);
        FillWithColor(dc.Get(), content.glyph, BlendColors(colours.ButtonFace, colours.ButtonHilight, 128));
        DrawEdge(dc.Get(), &sunken, BDR_SUNKENOUTER, BF_RECT);
      }
      DrawImage(dc.Get(), content.glyph, item, colours.ButtonShadow);
    } else if (item.checked) {
      DrawCheckMark(dc.Get(), content.glyph, colours.ButtonText, item.radio);
    }

    const unsigned textColour = MenuItemTextColour(
        item.selected, item.enabled,
        {static_cast<unsigned>(colours.HilightText), static_cast<unsigned>(colours.MenuText),
         static_cast<unsigned>(colours.ButtonShadow), static_cast<unsigned>(GetSysColor(COLOR_BTNSHADOW))});
    OwnedFont bold;
    if (item.isDefault) bold = BoldFontOf(item.font);
    SelectionScope font(dc.Get(), item.isDefault ? bold.Get() : item.font);
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), ColorToRGB(static_cast<TColor>(textColour)));
    const UINT align = item.rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
    if (!IsBlankMenuCaption(item.caption)) {
      RECT text = ToRECT(content.caption);
      DrawTextW(dc.Get(), item.caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | align);
    }
    if (!item.shortcut.empty()) {
      RECT text = ToRECT(content.shortcut);
      DrawTextW(dc.Get(), item.shortcut.c_str(), -1, &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (item.rightToLeft ? DT_LEFT : DT_RIGHT));
    }
  }
  BitBlt(item.dc, item.rect.left, item.rect.top, width, height, dc.Get(), 0, 0, SRCCOPY);
}

}  // namespace quonel
