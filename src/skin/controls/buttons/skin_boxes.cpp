#include "skin/controls/buttons/skin_boxes.h"

#include "skin/data/skin_data.h"

namespace quonel {

void TSkinBox::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  // The handler only answers that the container is skinned; its painting stays its own.
  TSkinControl::Attach(control, data, form, recolour);
}

bool TSkinBoxH::BeforeMessage(TMessage& message) {
  TSkinData* data = SkinData();
  const HWND window = Window();
  switch (message.Msg) {
    case WM_ERASEBKGND:
      if (data && window) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(message.WParam), &client, data->FaceBrush());
        message.Result = 0;
        return false;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (data) {
        CallDefault(message);
        // The brush alone leaves the text cells in the platform's colour.
        SetBkColor(reinterpret_cast<HDC>(message.WParam), ColorToRGB(data->Colours().ButtonFace));
        message.Result = reinterpret_cast<LRESULT>(data->FaceBrush());
        return false;
      }
      break;
  }
  return TSkinControl::BeforeMessage(message);
}

}  // namespace quonel
