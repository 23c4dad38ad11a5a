// TSkinComBox: a combo box framed by the skin - the SunkEdge frame around
// the control with the ComboButton image and the ExtraImages arrow in the
// button area, or one nine-slice of the composite both make (the blue
// skin) - while the edit or item area keeps the control's own painting.
// A drop-down combo's edit is subclassed so that its painting and clicks
// repaint the frame; a simple combo's list gets the skinned scroll bars.
// An extended combo box is skinned through the combo box inside it.
#pragma once
#include <memory>

#include "skin/controls/text_entry/combo_layout.h"
#include "skin/controls/skin_control.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TSkinScrollbarH;

class TSkinComBox : public TSkinControl {
 public:
  TSkinComBox();
  ~TSkinComBox() override;
  const wchar_t* ClassName() const override { return L"TSkinComBox"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;
  void Detach() override;
  // The frame (1 normal, 2 pressed, 3 disabled, 4 hot or focused) shown now.
  int ShownFrame() const;

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  // The edit's subclass and the list's scroll-bar skin.
  void AttachParts();
  bool AtLeft() const;
  Rect ButtonArea(const Rect& control) const;
  void SetHot(bool hot);
  // The skin's frame drawn over what the control painted (already in dc):
  // nothing (no image), the whole control, or all but the item area.
  enum class ComboPainting { None, Whole, AroundItem };
  ComboPainting Compose(HDC dc, const Rect& whole, int frame) const;

  TWindowSubclass editLink_;
  // The outer window of an extended combo box, answering that it is skinned.
  TWindowSubclass outerLink_;
  std::unique_ptr<TSkinScrollbarH> listSkin_;
  SkinBitmap offscreen_;
};

}  // namespace quonel
