// TBitBtn: a push button with a glyph beside its caption. The platform draws
// it through owner drawing: the push-button frame, then glyph and caption.
#pragma once
#include "ui/button.h"
#include "ui/button_glyph.h"

namespace quonel {

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}
  const wchar_t* ClassName() const override { return L"TBitBtn"; }
  TButtonGlyph& ButtonGlyph() { return glyph_; }
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TButtonGlyph glyph_;
};

void RegisterBitBtnClass();

}  // namespace quonel
