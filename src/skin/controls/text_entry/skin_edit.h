// TSkinEdit: an edit keeps its own painting; the skin draws its border - a
// shadow line and two white lines, as many as the window's real border
// holds - and skins a spin button it finds among the edit's children.
#pragma once
#include <memory>

#include "skin/controls/skin_control.h"
#include "skin/controls/text_entry/skin_up_down.h"

namespace quonel {

class TSkinEdit : public TSkinControl {
 public:
  const wchar_t* ClassName() const override { return L"TSkinEdit"; }
  // The spin button's skin, once one was found.
  TSkinUpDown* SpinSkin() const { return spin_.get(); }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void PaintSkin(HDC dc, const RECT& rect) override;

 private:
  void FindSpinButton();

  std::unique_ptr<TSkinUpDown> spin_;
};

}  // namespace quonel
