#include "skin/controls/tabs/skin_tab_buttons.h"

#include "core/win32_owners.h"
#include "skin/controls/tabs/skin_tabs.h"
#include "skin/data/skin_data.h"

namespace quonel {

bool TSkinTabBtn::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (!SkinData() || SkinData()->Buttons().Image.Empty()) return true;
  return !TakeOverPainting(message);
}

void TSkinTabBtn::PaintSkin(HDC dc, const RECT&) {
  const HWND window = Window();
  RECT client{};
  if (!NonEmptyClientRect(client)) return;
  if (canvas_.Width() != client.right || canvas_.Height() != client.bottom)
    canvas_ = SkinBitmap::Create(client.right, client.bottom);
  if (canvas_.Empty()) return;
  RefreshWindowState();
  const TDataSkinButton& buttons = SkinData()->Buttons();
  const HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(window, TCM_GETIMAGELIST, 0, 0));
  const int current = static_cast<int>(SendMessageW(window, TCM_GETCURSEL, 0, 0));
  const std::vector<TabItem> tabs = ReadTabItems(window);
  BitmapDc canvas(canvas_);
  FillParentColor(canvas.Get(), client);
  SelectionScope font(canvas.Get(), ControlFont(nullptr));
  for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
    DrawSkinObject(canvas.Get(), tabs[i].rect, buttons.Frames, i == current ? 2 : 1, buttons);
    SetTextColor(canvas.Get(), ColorToRGB(i == current ? buttons.PressedColour2 : buttons.NormalColour2));
    DrawItemText(canvas.Get(), ToRECT(tabs[i].rect), 1, tabs[i].text, tabs[i].image, images);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, canvas.Get(), 0, 0, SRCCOPY);
}

}  // namespace quonel
