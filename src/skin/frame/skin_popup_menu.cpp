#include "skin/frame/skin_popup_menu.h"

#include "skin/skin_messages.h"

namespace quonel {

TSkinPopupMenu::TSkinPopupMenu(HWND window, TSkinData* data, bool menuFlag)
    : window_(window), skinData_(data), menuFlag_(menuFlag) {
  link_.SetHandler([this](TWindowSubclass&, TMessage& message) { HandleMessage(message); });
  link_.Attach(window);
}

TSkinPopupMenu::~TSkinPopupMenu() { Detach(); }

void TSkinPopupMenu::Detach() {
  link_.Detach();
  background_ = SkinBitmap();
}

void TSkinPopupMenu::HandleMessage(TMessage& message) {
  if (message.Msg == SKM_ISSKINNED) {
    message.Result = 1;
    return;
  }
  link_.CallNext(message);
}

}  // namespace quonel
