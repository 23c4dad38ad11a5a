// What the control library and the skin engine share of GDI: owners for GDI
// objects, scoped selections, and colours resolved to the RGB value GDI draws with.
#pragma once
#include <windows.h>

#include <utility>

#include "ui/color.h"

namespace quonel {

// Pens, brushes, bitmaps, regions and fonts: freed with DeleteObject once;
// moved, never copied.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using OwnedBrush = GdiObject<HBRUSH>;
using OwnedFont = GdiObject<HFONT>;
using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedPen = GdiObject<HPEN>;

// Selects an object into a DC and puts the previous one back.
class SelectionScope {
 public:
  SelectionScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectionScope() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectionScope(const SelectionScope&) = delete;
  SelectionScope& operator=(const SelectionScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A negative colour is a system colour, resolved now: the low byte is its
// index (skins store the older 0x80000000-based values as well as 0xFF...).
inline COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF) & 0xFFFFFF;
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

}  // namespace quonel
