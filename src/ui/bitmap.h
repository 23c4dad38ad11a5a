// TBitmap: a picture held by a control property (a button's glyph): one
// owned bitmap handle and its size. Its transparent colour is the colour of
// its bottom-left pixel, as glyph strips are drawn.
#pragma once
#include <windows.h>

#include "core/persistent.h"
#include "core/win32_owners.h"

namespace quonel {

class TBitmap : public TPersistent {
 public:
  const wchar_t* ClassName() const override { return L"TBitmap"; }

  bool Empty() const { return !handle_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HBITMAP Handle() const { return handle_.Get(); }
  // Takes the bitmap over; the size is read from it.
  void SetHandle(HBITMAP bitmap);
  void Clear() { SetHandle(nullptr); }
  // The colour of the pixel at (x, y) of the picture, RGB; black when empty.
  COLORREF Pixel(int x, int y) const;

 private:
  OwnedBitmap handle_;
  int width_ = 0;
  int height_ = 0;
};

// Draws the part (x, y, width, height) of the picture at (left, top) of dc,
// leaving out its pixels of the transparent colour.
void DrawBitmapPart(HDC dc, int left, int top, const TBitmap& bitmap, int x, int y, int width, int height,
                    COLORREF transparent);

void RegisterBitmapClass();

}  // namespace quonel
