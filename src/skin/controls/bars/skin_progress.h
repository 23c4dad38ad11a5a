// TSkinProgress: a progress bar drawn from the skin's Progress strip - the
// trough (frame 1) over the whole bar and the filled part (frame 2) over the
// share the position gives, or, for a one-frame strip, the trough with the
// Progress.Chunk image over the filled part. Vertical bars are composed lying
// down and turned. Works on any window that answers the progress messages.
#pragma once
#include "skin/controls/skin_control.h"
#include "skin/gdi/skin_bitmap.h"

namespace quonel {

class TSkinProgress : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinProgress"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  void ComposeBar(HDC dc, int length, int thickness, int filled);
  SkinBitmap offscreen_;
};

}  // namespace quonel
