#include "skin/frame/frame_region.h"

#include "skin/data/skin_objects.h"
#include "skin/frame/frame_painter.h"
#include "skin/gdi/region_from_bitmap.h"

namespace quonel {

namespace {

constexpr FrameEdge kEdges[4] = {FrameEdge::Left, FrameEdge::Right, FrameEdge::Top, FrameEdge::Bottom};

void AddRectangle(HRGN region, int left, int top, int right, int bottom) {
  OwnedRegion part(CreateRectRgn(left, top, right, bottom));
  if (part) CombineRgn(region, region, part.Get(), RGN_OR);
}

// The opaque pixels of an edge drawn at the given size, placed at (x, y).
void AddEdgePixels(HRGN region, const TDataSkinObject& edge, FrameEdge which, const Rect& at) {
  const SkinBitmap image = BuildSkinImage({0, 0, at.Width(), at.Height()}, EdgeStripFrame(edge, which, true));
  OwnedRegion part = RegionFromBitmap(image, at.left, at.top, 1, 1, 1, clMagenta);
  if (part) CombineRgn(region, region, part.Get(), RGN_OR);
}

}  // namespace

FrameRegionKey FrameRegionKeyOf(const TSkinData& data, const FrameBorders& borders, int width, int height) {
  FrameRegionKey key;
  key.width = width;
  key.height = height;
  key.borders = borders;
  for (int i = 0; i < 4; ++i) {
    const TDataSkinObject& edge = data.Edge(kEdges[i]);
    key.images[i] = edge.Image.Handle();
    key.trans[i] = edge.Trans;
    key.margins[i] = edge.Margins;
    key.frames[i] = edge.Frames;
    key.stretch[i] = edge.Tile;
  }
  return key;
}

OwnedRegion BuildFrameRegion(const TSkinData& data, const FrameRegionKey& key) {
  bool anyTransparent = false;
  for (int trans : key.trans) anyTransparent = anyTransparent || trans == 1;
  if (!anyTransparent) return {};
  const int w = key.width, h = key.height;
  const FrameBorders& b = key.borders;
  OwnedRegion region(CreateRectRgn(b.left, b.top, w - b.right, h - b.bottom));
  if (!region) return {};
  const bool bordered = b.left || b.top || b.right || b.bottom;
  if (!bordered) return region;
  HRGN r = region.Get();
  const auto& left = data.Edge(FrameEdge::Left);
  const auto& right = data.Edge(FrameEdge::Right);
  const auto& top = data.Edge(FrameEdge::Top);
  const auto& bottom = data.Edge(FrameEdge::Bottom);
  if (left.Trans == 1 && h > 1) AddEdgePixels(r, left, FrameEdge::Left, {0, 0, b.left, h});
  else AddRectangle(r, 0, 0, b.left, h);
  if (right.Trans == 1 && h > 1) AddEdgePixels(r, right, FrameEdge::Right, {w - b.right, 0, w, h});
  else AddRectangle(r, w - b.right, 0, w, h);
  if (bottom.Trans == 1 && b.bottom >= 2) AddEdgePixels(r, bottom, FrameEdge::Bottom, {b.left, h - b.bottom, w - b.right, h});
  else AddRectangle(r, b.left, h - b.bottom, w - b.right, h);
  if (top.Trans == 1 && b.top > 1 && w - b.left - b.right > 0) AddEdgePixels(r, top, FrameEdge::Top, {b.left, 0, w - b.right, b.top});
  else AddRectangle(r, b.left, 0, w - b.right, b.top);
  return region;
}

bool FrameRegion::Update(HWND window, const TSkinData& data, const FrameBorders& borders, int width, int height,
                         bool redraw) {
  if (width <= 0 || height <= 0) return false;
  FrameRegionKey key = FrameRegionKeyOf(data, borders, width, height);
  if (key_ && *key_ == key) return false;
  OwnedRegion region = BuildFrameRegion(data, key);
  // The window owns the region once it is set.
  if (SetWindowRgn(window, region.Get(), redraw ? TRUE : FALSE) && region) region.Release();
  key_ = key;
  return true;
}

void FrameRegion::Remove(HWND window) {
  SetWindowRgn(window, nullptr, TRUE);
  key_.reset();
}

}  // namespace quonel
