// TSkinToolBar: a tool bar on the skin's toolbar gradient (with xoToolbarBK,
// else the face colour), its buttons framed from the ToolBars strip through
// the bar's custom-draw notifications - frame 4 under the pointer, 2 pressed
// or checked, none otherwise on a flat bar, 1 on a raised one - while the
// bar draws their texts and images itself. A library tool bar is made flat.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "skin/controls/skin_control.h"

namespace quonel {

class TSkinToolBar : public TSkinControl {
 public:
  TSkinToolBar();
  const wchar_t* ClassName() const override { return L"TSkinToolBar"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;
  void Detach() override;
  // The ToolBars frame a button in that custom-draw state gets, 0 for none.
  static int ButtonFrame(UINT itemState, bool flat);

 protected:
  bool BeforeMessage(TMessage& message) override;

 private:
  LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);
  void PaintBackground(HDC dc);
  TWindowSubclass parentLink_;
};

}  // namespace quonel
