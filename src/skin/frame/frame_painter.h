// Paints the skinned non-client area of a window: the side and bottom edges
// straight to the window, the caption strip (top edge, caption buttons,
// caption text) composed off screen and copied in one blit.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "skin/data/skin_data.h"
#include "skin/frame/caption_button.h"
#include "skin/frame/frame_layout.h"
#include "skin/gdi/skin_renderers.h"

namespace quonel {

// Draws the caption text into the strip being composed (strip coordinates
// are window coordinates); unset: no text.
using CaptionTextPainter = std::function<void(HDC strip, int windowWidth)>;

struct FramePaint {
  HDC dc = nullptr;  // the window's whole-window DC
  const TSkinData* data = nullptr;
  FrameBorders borders;
  int menuHeight = 0;
  int width = 0, height = 0;
  bool active = true;
  bool minimised = false;
  // Laid out already (LayOutCaptionButtons).
  const std::vector<std::unique_ptr<TWinSysButton>>* buttons = nullptr;
  HICON icon = nullptr;
  int iconSize = 16;
  CaptionTextPainter captionText;
  // Paints the menu bar into its band (window coordinates); unset: the band
  // is filled with the skin's face.
  std::function<void(HDC dc, const RECT& band)> menuBar;
};

// Edge n of the skin as a strip frame: top and bottom stack their frames,
// the inactive frame is the second when there is one.
StripFrame EdgeStripFrame(const TDataSkinObject& edge, FrameEdge which, bool active);

// Sets each button's box and enabled flag from the skin and the window;
// returns the left side of the leftmost shown right-aligned button (0: none).
int LayOutCaptionButtons(const std::vector<std::unique_ptr<TWinSysButton>>& buttons, const CaptionState& state,
                         int windowWidth, const FrameBorders& borders, const MenuBarPlacement& menuBar,
                         const AskButtonVisible& ask);

// The caption strip's off-screen surface, kept between paints.
class CaptionStrip {
 public:
  // Composes the strip and copies it to the window DC.
  void Paint(const FramePaint& paint);

 private:
  SkinBitmap bitmap_;
  std::unique_ptr<BitmapDc> dc_;
};

// The edges below the caption strip (left, right, bottom) and the menu-bar
// fill; the strip itself goes through CaptionStrip.
void PaintSideEdges(const FramePaint& paint);

}  // namespace quonel
