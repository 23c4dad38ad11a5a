#include "skin/frame/frame_painter.h"

#include <algorithm>

#include "skin/data/skin_objects.h"

namespace quonel {

StripFrame EdgeStripFrame(const TDataSkinObject& edge, FrameEdge which, bool active) {
  const bool vertical = which == FrameEdge::Top || which == FrameEdge::Bottom;
  const int index = active || edge.Frames <= 1 ? 1 : 2;
  // The edges keep their stretch flag in Tile: 1 stretches the middle.
  return {edge.Image, std::max(1, edge.Frames), index, edge.Margins, vertical, edge.Tile != 1, false};
}

int LayOutCaptionButtons(const std::vector<std::unique_ptr<TWinSysButton>>& buttons, const CaptionState& state,
                         int windowWidth, const FrameBorders& borders, const MenuBarPlacement& menuBar,
                         const AskButtonVisible& ask) {
  int rightLimit = 0;
  // Align 1 first: their left side is the reference of Align 2 and 8.
  for (const auto& button : buttons) {
    const CaptionButtonSetting setting = button->Setting();
    button->enabled = CaptionButtonShown(setting, state, ask) && (button->FrameWidth() > 0 || button->DrawsIcon());
    if (setting.align != 1) continue;
    button->rect = CaptionButtonBox(setting, button->FrameWidth(), button->FrameHeight(), windowWidth, borders, 0,
                                    menuBar);
    if (button->enabled && (rightLimit == 0 || button->rect.left < rightLimit)) rightLimit = button->rect.left;
  }
  for (const auto& button : buttons) {
    const CaptionButtonSetting setting = button->Setting();
    if (setting.align == 1) continue;
    int width = button->FrameWidth(), height = button->FrameHeight();
    if (button->DrawsIcon() && width == 0) {
      // The window's icon at the system's small-icon size.
      width = GetSystemMetrics(SM_CXSMICON);
      height = GetSystemMetrics(SM_CYSMICON);
    }
    const bool leftOfButtons = setting.align == 2 || setting.align == 8;
    const int reference = leftOfButtons ? (rightLimit > 0 ? rightLimit : windowWidth - borders.right) : borders.left;
    button->rect = CaptionButtonBox(setting, width, height, windowWidth, borders, reference, menuBar);
  }
  return rightLimit;
}

void CaptionStrip::Paint(const FramePaint& paint) {
  const TSkinData& data = *paint.data;
  const int w = paint.width;
  // A minimised window shows only its caption: the whole of it is the strip.
  const int h = paint.minimised ? paint.height : paint.borders.top;
  if (w <= 0 || h <= 0) return;
  if (bitmap_.Width() < w || bitmap_.Height() < h) {
    dc_.reset();
    bitmap_ = SkinBitmap::Create(std::max(w, bitmap_.Width()), std::max(h, bitmap_.Height()));
    if (bitmap_.Empty()) return;
    dc_ = std::make_unique<BitmapDc>(bitmap_);
  }
  HDC strip = dc_->Get();
  if (paint.minimised) {
    FillWithColor(strip, {0, 0, w, h}, data.Colours().ButtonFace);
    DrawSkinImage(strip, {0, 0, w, paint.borders.top},
                  EdgeStripFrame(data.Edge(FrameEdge::Top), FrameEdge::Top, paint.active));
  } else {
    // The side edges' top rows belong to the strip; the bitmap clips them.
    DrawSkinImage(strip, {0, 0, paint.borders.left, paint.height},
                  EdgeStripFrame(data.Edge(FrameEdge::Left), FrameEdge::Left, paint.active));
    DrawSkinImage(strip, {w - paint.borders.right, 0, w, paint.height},
                  EdgeStripFrame(data.Edge(FrameEdge::Right), FrameEdge::Right, paint.active));
    DrawSkinImage(strip, {paint.borders.left, 0, w - paint.borders.right, paint.borders.top},
                  EdgeStripFrame(data.Edge(FrameEdge::Top), FrameEdge::Top, paint.active));
  }
  if (paint.buttons) {
    for (const auto& button : *paint.buttons) {
      // MDI buttons belong to the menu bar.
      if (!button->enabled || button->Skin().Visibility == 100) continue;
      const int frame = button->state != TNCObject::kNormal ? button->state : button->CaptionFrame(paint.active);
      button->Draw(strip, frame, paint.icon, paint.iconSize);
    }
  }
  if (paint.captionText) paint.captionText(strip, w);
  BitBlt(paint.dc, 0, 0, w, h, strip, 0, 0, SRCCOPY);
}

void PaintSideEdges(const FramePaint& paint) {
  const TSkinData& data = *paint.data;
  const FrameBorders& b = paint.borders;
  const int w = paint.width, h = paint.height;
  if (paint.minimised || h <= b.top) return;
  // Below the caption strip only: the strip carries the edges' top rows.
  SavedDcState saved(paint.dc);
  ExcludeClipRect(paint.dc, 0, 0, w, b.top);
  DrawSkinImage(paint.dc, {0, 0, b.left, h}, EdgeStripFrame(data.Edge(FrameEdge::Left), FrameEdge::Left, paint.active));
  DrawSkinImage(paint.dc, {w - b.right, 0, w, h},
                EdgeStripFrame(data.Edge(FrameEdge::Right), FrameEdge::Right, paint.active));
  DrawSkinImage(paint.dc, {b.left, h - b.bottom, w - b.right, h},
                EdgeStripFrame(data.Edge(FrameEdge::Bottom), FrameEdge::Bottom, paint.active));
  if (paint.menuHeight > 0) {
    const RECT bar{b.left, b.top, w - b.right, b.top + paint.menuHeight};
    if (paint.menuBar) paint.menuBar(paint.dc, bar);
    else FillRect(paint.dc, &bar, data.FaceBrush());
  }
}

}  // namespace quonel
