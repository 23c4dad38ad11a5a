// TBitBtn: a push button with a glyph beside its caption. The platform draws
// it through owner drawing: the push-button frame, then glyph and caption.
#pragma once
#include "ui/button.h"
#include "ui/button_glyph.h"
#include "ui/image_list.h"

namespace quonel {

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}
  const wchar_t* ClassName() const override { return L"TBitBtn"; }
  TButtonGlyph& ButtonGlyph() { return glyph_; }
  // Without a glyph, an image of this list stands in its place: ImageIndex,
  // or DisabledIndex (where not -1) while the button is disabled.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  int DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(int index);
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Notification(TComponent* component, Operation operation) override;

 private:
  TButtonGlyph glyph_;
  TImageList* images_ = nullptr;
  int imageIndex_ = -1;
  int disabledIndex_ = -1;
};

void RegisterBitBtnClass();

}  // namespace quonel
