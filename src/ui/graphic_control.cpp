#include "ui/graphic_control.h"

#include <windowsx.h>

#include "ui/win_control.h"

namespace quonel {

void TGraphicControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      if (message.WParam) {
        canvas_.SetHandle(reinterpret_cast<HDC>(message.WParam));
        canvas_.Font().Assign(Font());
        try {
          Paint();
        } catch (...) {
          canvas_.SetHandle(nullptr);
          throw;
        }
        canvas_.SetHandle(nullptr);
      }
      return;
    case WM_LBUTTONDOWN:
      pressed_ = Enabled();
      break;
    case WM_LBUTTONUP: {
      const bool click = pressed_ && Enabled();
      pressed_ = false;
      TControl::WndProc(message);
      const RECT client = ClientRect();
      const POINT point = {GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      if (click && PtInRect(&client, point)) Click();
      return;
    }
  }
  TControl::WndProc(message);
}

void TGraphicControl::VisibleChanged() {
  // Invalidate skips hidden controls; the parent must repaint the area either way.
  if (Parent() && Parent()->HandleAllocated()) {
    const RECT bounds = BoundsRect();
    InvalidateRect(Parent()->Handle(), &bounds, TRUE);
  }
}

}  // namespace quonel
