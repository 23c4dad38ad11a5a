#include "skin/controls/bars/skin_progress.h"

#include "skin/controls/bars/bar_geometry.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/bitmap_transforms.h"
#include "skin/gdi/skin_renderers.h"

namespace quonel {

bool TSkinProgress::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  const TDataSkinObject* bar = SkinData() ? SkinData()->Slot(SkinSlot::Progress) : nullptr;
  if (!bar || bar->Image.Empty()) return true;
  return !TakeOverPainting(message);
}

void TSkinProgress::PaintSkin(HDC dc, const RECT&) {
  const HWND window = Window();
  RECT client{};
  if (!NonEmptyClientRect(client)) return;
  const bool vertical = (GetWindowLongPtrW(window, GWL_STYLE) & PBS_VERTICAL) != 0;
  const int position = static_cast<int>(SendMessageW(window, PBM_GETPOS, 0, 0));
  const int limit = static_cast<int>(SendMessageW(window, PBM_GETRANGE, FALSE, 0));
  // Measured from the range's low end: a bar from 50 to 150 is half full at 100.
  const int low = static_cast<int>(SendMessageW(window, PBM_GETRANGE, TRUE, 0));
  const int length = vertical ? client.bottom : client.right, thickness = vertical ? client.right : client.bottom;
  const int filled = ProgressFillLength(length, int64_t{position} - low, int64_t{limit} - low);

  if (offscreen_.Width() != length || offscreen_.Height() != thickness)
    offscreen_ = SkinBitmap::Create(length, thickness);
  if (offscreen_.Empty()) return;
  {
    BitmapDc memory(offscreen_);
    ComposeBar(memory.Get(), length, thickness, filled);
  }
  if (vertical) {
    // Lying down the bar fills from the left; turned left, from the bottom.
    SkinBitmap turned = CopyAs24(offscreen_);
    RotateBitmapLeft(turned);
    BitmapDc memory(turned);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    return;
  }
  BitmapDc memory(offscreen_);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

void TSkinProgress::ComposeBar(HDC dc, int length, int thickness, int filled) {
  const TSkinData& data = *SkinData();
  const TDataSkinObject& bar = *data.Slot(SkinSlot::Progress);
  const Rect whole{0, 0, length, thickness};
  FillParentColor(dc, ToRECT(whole));
  if (bar.Style == 0) {
    DrawSkinObject(dc, whole, bar.Frames, 1, bar);
    if (filled > 0) DrawSkinObject(dc, {0, 0, filled, thickness}, bar.Frames, 2, bar);
    return;
  }
  StripFrame trough{bar.Image};
  trough.count = bar.Frames;
  trough.margins = bar.Margins;
  trough.tile = bar.Tile != 0;
  trough.transparent = true;
  DrawSkinImage(dc, whole, trough);
  const TDataSkinObject* chunk = data.Slot(SkinSlot::ProgressChunk);
  if (!chunk || chunk->Image.Empty() || filled <= 0) return;
  const int frames = chunk->Frames > 0 ? chunk->Frames : 1;
  StripFrame piece{chunk->Image};
  piece.count = frames;
  piece.margins = chunk->Margins;
  piece.transparent = chunk->Trans == 1;
  if (chunk->Tile == 1) {
    // Whole chunks side by side from the left margin, centred across the bar.
    const int chunkWidth = chunk->Image.Width() / frames, chunkHeight = chunk->Image.Height();
    const int top = (thickness - chunkHeight) / 2;
    const int start = chunk->Margins.left + 2;
    if (chunkWidth <= 0) return;
    for (int x = start; x + chunkWidth <= filled; x += chunkWidth)
      DrawFrameStretched(dc, {x, top, x + chunkWidth, top + chunkHeight}, piece);
    return;
  }
  piece.margins.top = piece.margins.bottom = 0;
  const Rect inset{2, 2, filled - 2, thickness - 2};
  if (inset.right > inset.left && inset.bottom > inset.top) DrawSkinImage(dc, inset, piece);
}

}  // namespace quonel
