// Objects made from other objects once the description is read: the combo
// box composite and arrow, the toolbar gradient, the title colour and the
// face brush.
#include <windows.h>

#include "skin/gdi/bitmap_transforms.h"
#include "skin/data/skin_builder.h"
#include "skin/gdi/skin_renderers.h"

namespace quonel {

namespace {
constexpr int kComboCellWidth = 50;
constexpr int kComboCellHeight = 21;
constexpr int kArrowCell = 17;
}  // namespace

void SkinBuilder::BuildDerivedObjects() {
  BuildComboComposite();
  BuildComboArrow();
  BuildToolbarGradient();
  data_.titleColour_ = SampleTitleColour();
  data_.faceBrush_.Reset(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(data_.colours_.ButtonFace))));
}

void SkinBuilder::BuildComboComposite() {
  TDataSkinObject* sunk = data_.Slot(SkinSlot::SunkEdge);
  TDataSkinObject* button = data_.Slot(SkinSlot::ComboButton);
  if (!sunk || !button) return;
  TDataSkinObject* glyph = data_.Slot(SkinSlot::ExtraImages);
  const int frames = std::max(sunk->Frames, 1);
  const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
  SkinBitmap strip = SkinBitmap::Create(kComboCellWidth * frames, kComboCellHeight);
  if (strip.Empty()) return;
  strip.Fill(clMagenta);
  SkinBitmap scratch = SkinBitmap::Create(kComboCellWidth, kComboCellHeight);
  if (scratch.Empty()) return;
  {
    BitmapDc stripDc(strip);
    BitmapDc cell(scratch);
    const Rect whole{0, 0, kComboCellWidth, kComboCellHeight};
    const Rect buttonArea{kComboCellWidth - b, 0, kComboCellWidth, kComboCellHeight};
    for (int k = 1; k <= frames; ++k) {
      // Magenta under the pieces keeps their own transparent pixels transparent.
      FillWithColor(cell.Get(), whole, clMagenta);
      DrawSkinImage(cell.Get(), whole, {.bitmap = sunk->Image, .count = sunk->Frames, .index = k, .margins = sunk->Margins, .transparent = sunk->Trans != 0});
      DrawSkinImage(cell.Get(), buttonArea, {.bitmap = button->Image, .count = button->Frames, .index = k, .margins = button->Margins, .transparent = true});
      if (glyph) DrawFrameCentered(cell.Get(), buttonArea, {.bitmap = glyph->Image, .count = glyph->Frames, .index = k, .transparent = true});
      FillWithColor(cell.Get(), {2, 2, kComboCellWidth - 1 - b, kComboCellHeight - 3}, clMagenta);
      BitBlt(stripDc.Get(), kComboCellWidth * (k - 1), 0, kComboCellWidth, kComboCellHeight, cell.Get(), 0, 0,
             SRCCOPY);
    }
  }
  button->Style = 2;
  button->Margins = {2, sunk->Margins.top, b + 2, sunk->Margins.bottom};
  SkinBitmap mirrored;
  CopyBitmap(strip, mirrored);
  MirrorBitmap(mirrored);
  button->Image = std::move(strip);
  sunk->Image = std::move(mirrored);
  sunk->Margins.left = b + 2;
  sunk->Margins.right = 2;
}

void SkinBuilder::BuildComboArrow() {
  auto arrow = std::make_unique<TDataSkinObject>("ComboxArrow");
  arrow->Frames = 1;
  TDataSkinObject* sunk = data_.Slot(SkinSlot::SunkEdge);
  TDataSkinObject* button = data_.Slot(SkinSlot::ComboButton);
  if (!sunk && button) {
    arrow->Image = CopyAs24(button->Image);
    // A system colour is resolved here: its index bytes are no RGB value.
    RecolorMagenta(arrow->Image, ColorToRGB(data_.colours_.ButtonFace));
    arrow->Frames = button->Frames;
  } else if (sunk && button && button->Style == 2 && !button->Image.Empty()) {
    const int frames = std::max(sunk->Frames, 1);
    const int cellWidth = button->Image.Width() / std::max(button->Frames, 1);
    arrow->Image = SkinBitmap::Create(kArrowCell * frames, kArrowCell);
    if (!arrow->Image.Empty()) {
      BitmapDc to(arrow->Image);
      BitmapDc from(button->Image);
      for (int k = 0; k < frames; ++k)
        BitBlt(to.Get(), kArrowCell * k, 0, kArrowCell, kArrowCell, from.Get(), (k + 1) * cellWidth - 19, 2, SRCCOPY);
    }
    arrow->Frames = sunk->Frames;
  }
  data_.comboxArrow_ = std::move(arrow);
}

TColor SkinBuilder::SampleTitleColour() const {
  const TDataSkinObject& top = data_.Edge(FrameEdge::Top);
  if (top.Image.Empty()) return data_.colours_.ButtonFace;
  // A description may give zero frames; it must not divide by zero here.
  const int frames = std::max(top.Frames, 1);
  return top.Image.Pixel(top.Image.Width() / 3, (top.Image.Height() / frames) / 3);
}

void SkinBuilder::BuildToolbarGradient() {
  auto toolbar = std::make_unique<TDataSkinObject>("Toolbar");
  toolbar->Frames = 1;
  toolbar->Image = SkinBitmap::Create(10, 40);
  // Resolved: the saturation of a system colour's index bytes means nothing.
  const TColor title = ColorToRGB(SampleTitleColour());
  const TColor top = BlendColors(data_.colours_.ButtonFace, clWhite, 150);
  TColor bottom = BlendColors(clGray, title, 150);
  const int saturation = ColorSaturation(title);
  if (saturation > 110) bottom = BlendColors(title, clWhite, ((225 - saturation) * 25) / 140 + 50);
  if (!toolbar->Image.Empty()) {
    BitmapDc dc(toolbar->Image);
    GradientFill(dc.Get(), {0, 0, 10, 40}, top, true, bottom);
  }
  data_.toolbar_ = std::move(toolbar);
}

}  // namespace quonel
