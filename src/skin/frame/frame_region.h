// The window's shape: the client rectangle and the edges, where an edge whose
// Trans flag is set gives only its non-magenta pixels. The region is kept
// until anything that shapes it changes - the size, the borders or the
// edges' bitmaps and flags - not only the size.
#pragma once
#include <windows.h>

#include <array>
#include <optional>

#include "core/win32_owners.h"
#include "skin/data/skin_data.h"
#include "skin/frame/frame_layout.h"

namespace quonel {

// Everything a frame region is made of.
struct FrameRegionKey {
  int width = 0, height = 0;
  FrameBorders borders;
  std::array<HBITMAP, 4> images{};
  std::array<int, 4> trans{};
  std::array<Margins, 4> margins{};
  std::array<int, 4> frames{};
  std::array<int, 4> stretch{};
  bool operator==(const FrameRegionKey&) const = default;
};
FrameRegionKey FrameRegionKeyOf(const TSkinData& data, const FrameBorders& borders, int width, int height);

// The region for that key; null when no edge is transparent (the whole
// window is shown).
OwnedRegion BuildFrameRegion(const TSkinData& data, const FrameRegionKey& key);

// Sets the window's region when its key changed since the last time.
class FrameRegion {
 public:
  // True when a new region was set. Without redraw the caller paints the
  // window itself right after (a region that only cuts needs no repaint).
  bool Update(HWND window, const TSkinData& data, const FrameBorders& borders, int width, int height,
              bool redraw = true);
  // Takes the region off the window and forgets the key.
  void Remove(HWND window);
  void Forget() { key_.reset(); }
  // A region was set and not removed since.
  bool Shaped() const { return key_.has_value(); }

 private:
  std::optional<FrameRegionKey> key_;
};

}  // namespace quonel
