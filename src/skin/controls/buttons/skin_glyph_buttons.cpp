#include "skin/controls/buttons/skin_glyph_buttons.h"

#include "core/property_access.h"
#include "core/win32_owners.h"
#include "skin/controls/buttons/glyph_layout.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/bitmap_transforms.h"
#include "skin/gdi/skin_text.h"
#include "skin/gdi/transparent_blit.h"
#include "skin/pixels/pixel_buffer.h"
#include "ui/bitmap.h"
#include "ui/control.h"
#include "ui/image_list.h"
#include "ui/win_control.h"

namespace quonel {

namespace {

constexpr UINT kMeasureWrapped = DT_CALCRECT | DT_WORDBREAK;  // 0x410

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

GlyphSide SideOf(TControl* control) {
  const std::wstring layout = Lower(GetEnumPropText(control, L"Layout"));
  if (layout == L"blglyphright") return GlyphSide::Right;
  if (layout == L"blglyphtop") return GlyphSide::Top;
  if (layout == L"blglyphbottom") return GlyphSide::Bottom;
  return GlyphSide::Left;
}

int IntProp(TControl* control, const wchar_t* name, int fallback) {
  return HasProperty(control, name) ? static_cast<int>(GetIntProp(control, name)) : fallback;
}

TextSize Measure(HDC dc, const std::wstring& text, const Rect& area) {
  if (text.empty()) return {};
  RECT measured = ToRECT(area);
  DrawTextWide(dc, text, measured, kMeasureWrapped);
  return {measured.right - measured.left, measured.bottom - measured.top};
}

// Glyph and caption of a bit or speed button laid out and drawn in dc.
void DrawGlyphAndText(TSkinButton& skin, HDC dc, TControl* control, const std::wstring& pictureProperty,
                      const std::wstring& caption, int glyphNumber,
                      bool grey, bool speedButton, int width, int height, UINT& textFormat, RECT& textRect) {
  auto* glyph = dynamic_cast<TBitmap*>(GetObjectPropOf(control, pictureProperty, L"TBitmap"));
  int numGlyphs = IntProp(control, L"NumGlyphs", 1);
  if (numGlyphs <= 0) numGlyphs = 1;
  GlyphLayoutInput in;
  in.width = width;
  in.height = height;
  if (glyph && !glyph->Empty()) in.glyph = {glyph->Width() / numGlyphs, glyph->Height()};
  // Without a glyph an image list may stand in its place.
  auto* images = in.glyph.width == 0 ? dynamic_cast<TImageList*>(GetObjectPropOf(control, L"Images", L"TImageList"))
                                     : nullptr;
  const int imageIndex = IntProp(control, L"ImageIndex", -1);
  const int disabledIndex = IntProp(control, L"DisabledIndex", -1);
  const int image = grey && disabledIndex != -1 ? disabledIndex : imageIndex;
  if (images && image != -1) in.glyph = {images->Width(), images->Height()};
  in.side = SideOf(control);
  in.margin = IntProp(control, L"Margin", -1);
  in.spacing = IntProp(control, L"Spacing", 4);
  in.centred = Lower(GetEnumPropText(control, L"Alignment")) == L"tacenter";
  in.speedButton = speedButton;
  in.text = Measure(dc, caption, GlyphTextArea(width, height, in.glyph, in.side));
  const GlyphLayout out = LayOutGlyph(in);
  if (glyph && !glyph->Empty() && in.glyph.width > 0)
    DrawButtonGlyph(dc, out.glyphX, out.glyphY, *glyph, numGlyphs, glyphNumber, grey);
  else if (images && image != -1)
    ImageList_Draw(images->Handle(), image, dc, out.glyphX, out.glyphY, ILD_TRANSPARENT);
  textFormat = DT_WORDBREAK | (out.format & kFormatRight ? DT_RIGHT : 0) | (out.format & kFormatCentre ? DT_CENTER : 0);
  textRect = ToRECT(out.text);
  if (!caption.empty()) {
    SetBkMode(dc, TRANSPARENT);
    DrawTextWide(dc, caption, textRect, skin.TextDirectionFlags(textFormat));
  }
}

}  // namespace

void DrawButtonGlyph(HDC dc, int x, int y, const TBitmap& glyph, int numGlyphs, int number, bool grey) {
  if (glyph.Empty() || numGlyphs <= 0) return;
  if (number < 1 || number > numGlyphs) number = 1;
  const int width = glyph.Width() / numGlyphs, height = glyph.Height();
  SkinBitmap frame = SkinBitmap::Create(width, height);
  if (frame.Empty()) return;
  {
    BitmapDc to(frame);
    MemoryDc from;
    SelectionScope selected(from.Get(), glyph.Handle());
    BitBlt(to.Get(), 0, 0, width, height, from.Get(), (number - 1) * width, 0, SRCCOPY);
  }
  const TColor key = frame.Pixel(0, height - 1);
  if (!grey) {
    TransparentBlit(dc, {x, y, x + width, y + height}, frame, key);
    return;
  }
  // Which pixels are transparent is decided before greying: a colour that
  // greys to the key's grey must not vanish. Grey never gives magenta.
  SkinBitmap greyed = CopyAs24(frame);
  GrayscaleBitmap(greyed);
  const PixelView view = greyed.Pixels();
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      if (frame.Pixel(column, row) == key) WritePixelValue(view, column, row, 0xFF00FF);
  TransparentBlit(dc, {x, y, x + width, y + height}, greyed, clMagenta);
}

void TSkinBitButton::PaintSkin(HDC dc, const RECT& rect) {
  TControl* control = Control();
  if (!control) return TSkinButton::PaintSkin(dc, rect);
  const int state = VisualState();
  const std::wstring caption = PrepareButtonCaption(ReadCaption());
  if (!PrepareFace(rect, state)) return;
  BitmapDc memory(offscreen_);
  const int width = offscreen_.Width(), height = offscreen_.Height();
  TColor colour = clBtnText;
  SelectionScope font(memory.Get(), ControlFont(&colour));
  SetTextColor(memory.Get(), ColorToRGB(StateTextColour(state, colour)));
  const int glyphNumber = state == 2 ? 3 : state == 3 ? 2 : 1;
  UINT format = 0;
  RECT textRect{};
  DrawGlyphAndText(*this, memory.Get(), control, PictureProperty(), caption, glyphNumber, state == 3, false, width, height, format,
                   textRect);
  if (!caption.empty()) FocusRectangle(memory.Get(), textRect, RECT{0, 0, width, height});
  BitBlt(dc, rect.left, rect.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

void TSkinMenuButton::PaintSkin(HDC dc, const RECT& rect) {
  const int state = VisualState();
  const std::wstring caption = PrepareButtonCaption(ReadCaption());
  if (!PrepareFace(rect, state)) return;
  BitmapDc memory(offscreen_);
  const HDC canvas = memory.Get();
  const int width = offscreen_.Width(), height = offscreen_.Height();
  TColor colour = clBtnText;
  SelectionScope font(canvas, ControlFont(&colour));
  const TextSize text = [&] {
    if (caption.empty()) return TextSize{};
    RECT area{2, 2, width - 17 - 2, height - 2};
    DrawTextWide(canvas, caption, area, kMeasureWrapped);
    return TextSize{area.right - area.left, area.bottom - area.top};
  }();
  const int left = (width - 17 - text.width) / 2 + 2, top = (height - text.height + 1) / 2;
  RECT textRect{left, top, left + text.width, top + text.height};
  SetTextColor(canvas, ColorToRGB(StateTextColour(state, colour)));
  {
    const TColor arrowColour = state == 3 ? clBtnShadow : clWindowText;
    OwnedBrush brush(CreateSolidBrush(ColorToRGB(arrowColour)));
    OwnedPen pen(CreatePen(PS_SOLID, 1, ColorToRGB(arrowColour)));
    SelectionScope selectedBrush(canvas, brush.Get());
    SelectionScope selectedPen(canvas, pen.Get());
    const POINT arrow[3] = {{width - 12, height / 2 + 2}, {width - 15, height / 2 - 1}, {width - 9, height / 2 - 1}};
    Polygon(canvas, arrow, 3);
  }
  SetBkMode(canvas, TRANSPARENT);
  DrawTextWide(canvas, caption, textRect, DT_WORDBREAK);
  FocusRectangle(canvas, textRect, RECT{0, 0, width, height});
  BitBlt(dc, rect.left, rect.top, width, height, canvas, 0, 0, SRCCOPY);
}

bool TSkinSpeedButton::BeforeMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      if (message.WParam) PaintSpeedButton(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The button's own down handling runs: it starts its own click, and
      // its mouse-down event may free the button and this skin with it.
      const TLiveness::Watch alive = ObserveLife();
      CallDefault(message);
      if (!alive.Alive()) return false;
      mouseState_ |= kPressed;
      Redraw();
      return false;
    }
    case WM_LBUTTONUP:
      return true;
  }
  return TSkinButton::BeforeMessage(message);
}

void TSkinSpeedButton::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_ENABLE:
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED:
      return;
    case WM_LBUTTONUP:
      // The button's own handling clicked; the space key is TSkinButton's.
      mouseState_ &= ~kPressed;
      Redraw();
      return;
    case CM_MOUSEENTER:
      mouseState_ |= kHot;
      Redraw();
      return;
    case CM_MOUSELEAVE:
      mouseState_ &= ~(kHot | kPressed);
      if (Control() && Control()->Visible()) Redraw();
      return;
  }
  TSkinButton::AfterMessage(message);
}

void TSkinSpeedButton::PaintFrame(HDC dc) {
  if (dc) PaintSpeedButton(dc);
  else Redraw();
}

void TSkinSpeedButton::PaintSpeedButton(HDC dc) {
  TControl* control = Control();
  if (painting_ || !control || !SkinData()) return;
  painting_ = true;
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{painting_};
  const bool down = GetEnumPropText(control, L"Down") == L"True";
  int state = Pressed() ? 2 : Hot() ? 4 : 1;
  if (GetEnumPropText(control, L"Enabled") != L"True") state = 3;
  if (down) state = 2;
  const int glyphNumber = down ? 4 : state == 2 ? 3 : state == 3 ? 2 : 1;
  const std::wstring caption = PrepareButtonCaption(ReadCaption());
  const bool flat = GetEnumPropText(control, L"Flat") == L"True";
  const int width = control->Width(), height = control->Height();
  if (width < 1 || height < 1) return;
  const RECT rect{0, 0, width, height};
  if (!PrepareFace(rect, state, state == 2 || state == 4 || !flat)) return;
  BitmapDc memory(offscreen_);
  TColor colour = clBtnText;
  SelectionScope font(memory.Get(), ControlFont(&colour));
  SetTextColor(memory.Get(), ColorToRGB(StateTextColour(state, colour)));
  auto* glyph = dynamic_cast<TBitmap*>(GetObjectPropOf(control, L"Glyph", L"TBitmap"));
  if (glyph && !glyph->Empty()) {
    UINT format = 0;
    RECT textRect{};
    DrawGlyphAndText(*this, memory.Get(), control, PictureProperty(), caption, glyphNumber, state == 3, true, width, height, format,
                     textRect);
  } else {
    DrawButtonCaption(memory.Get(), rect, DT_CENTER);
  }
  BitBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
}

}  // namespace quonel
