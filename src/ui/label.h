// TLabel: a windowless text, painted by its parent.
#pragma once
#include "ui/graphic_control.h"

namespace quonel {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TLabel"; }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  // On by default: the label takes the size of its text whenever the text
  // or the font changes, so a longer text is never cut off.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

 protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;

 private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool transparent_ = false;
  bool wordWrap_ = false;
  bool autoSize_ = true;
  void AdjustSize();
};

void RegisterLabelClass();

}  // namespace quonel
