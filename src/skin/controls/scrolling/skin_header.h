// TSkinHeader: a header control (a list view's column header, or one on its
// own) painted from the skin's Headerbar strip - every item a nine-slice of
// frame 1, the one under the pointer frame 2, the band right of the last
// item frame 1 - with the item's icon and text on it. Without a Headerbar
// image the header keeps its own look.
#pragma once
#include <string>
#include <vector>

#include "skin/controls/skin_control.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

// What the skin reads of one item: its text (cut to the buffer the skin
// reads it into), format and image index.
struct HeaderItemText {
  std::wstring text;
  int format = 0;
  int image = -1;
};
HeaderItemText ReadHeaderItem(HWND header, int index);
// Every item's rectangle in header coordinates (empty for one it has not).
std::vector<Rect> HeaderItemRects(HWND header);

class TSkinHeader : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinHeader"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;
  // The item under the pointer (painted with frame 2), or -1.
  int HotItem() const { return hotItem_; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  // Where each item answers the pointer: asked of the header at each move,
  // so that columns changed since the last paint are hit where they are.
  std::vector<Rect> HitRects() const;
  // The Headerbar object when it has an image, else null.
  const TDataSkinObject* Bar() const;
  void PaintItem(HDC dc, HWND header, int index, const Rect& item, HIMAGELIST images, const TDataSkinObject& bar);

  int hotItem_ = -1;
  SkinBitmap offscreen_;
};

}  // namespace quonel
