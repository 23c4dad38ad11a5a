// TSpeedButton: a windowless tool button with a glyph and a caption. Flat
// ones show their frame only under the pointer; in a group (GroupIndex not
// 0) a click leaves the button down and lets the other buttons of the group up.
#pragma once
#include "ui/button_glyph.h"
#include "ui/graphic_control.h"

namespace quonel {

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TSpeedButton"; }

  TButtonGlyph& ButtonGlyph() { return glyph_; }
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value) { groupIndex_ = value; }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value) { allowAllUp_ = value; }
  void Click() override;
  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;

 private:
  TButtonGlyph glyph_;
  bool flat_ = false;
  bool down_ = false;
  bool allowAllUp_ = false;
  bool pressed_ = false;
  bool hot_ = false;
  int groupIndex_ = 0;
};

void RegisterSpeedButtonClass();

}  // namespace quonel
