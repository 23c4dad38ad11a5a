// TSkinScControl: a scroll bar control (a window of the platform's scroll
// bar class, or a library control of that kind) covered by one overlay of
// kind 2 that paints the skin's bar from the control's scroll state and hands
// clicks to the control.
#pragma once
#include <memory>

#include "skin/controls/scrolling/scroll_overlay.h"
#include "skin/controls/skin_control.h"

namespace quonel {

class TSkinScControl : public TSkinControl {
 public:
  TSkinScControl();
  ~TSkinScControl() override;
  const wchar_t* ClassName() const override { return L"TSkinScControl"; }

  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;
  void Detach() override;
  void SkinChanged() override;
  TWScrollbar* Overlay() const { return overlay_.get(); }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void SkinActiveChanged() override;

 private:
  std::unique_ptr<TWScrollbar> overlay_;
};

}  // namespace quonel
