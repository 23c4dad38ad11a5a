#include "skin/controls/tabs/skin_tab_set.h"

#include "core/win32_owners.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/bitmap_transforms.h"
#include "ui/tab_control.h"

namespace quonel {

bool TSkinTab31::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (!SkinData() || !SkinData()->Slot(SkinSlot::Tabs) || SkinData()->Slot(SkinSlot::Tabs)->Image.Empty()) return true;
  if (message.Msg == WM_LBUTTONDOWN) {
    // The tab set changes its tab in its own handling; the skin repaints after it.
    CallDefault(message);
    Redraw();
    return false;
  }
  return !TakeOverPainting(message);
}

void TSkinTab31::PaintSkin(HDC dc, const RECT&) {
  auto* tabSet = dynamic_cast<TTabSet*>(Control());
  RECT client{};
  if (!tabSet || !NonEmptyClientRect(client)) return;
  if (canvas_.Width() != client.right || canvas_.Height() != client.bottom)
    canvas_ = SkinBitmap::Create(client.right, client.bottom);
  if (canvas_.Empty()) return;
  const TDataSkinObject& section = *SkinData()->Slot(SkinSlot::Tabs);
  const TColor face = SkinData()->Colours().ButtonFace;
  BitmapDc canvas(canvas_);
  FillParentColor(canvas.Get(), client);
  // The line the tabs hang from, in the skin's shadow colour.
  RECT edge{0, 0, client.right, 1};
  OwnedBrush shadow(CreateSolidBrush(ColorToRGB(SkinData()->Colours().ButtonShadow)));
  FillRect(canvas.Get(), &edge, shadow.Get());
  SelectionScope font(canvas.Get(), ControlFont(nullptr));
  SetBkMode(canvas.Get(), TRANSPARENT);
  for (int i = 0; i < tabSet->TabCount(); ++i) {
    const RECT box = tabSet->TabRect(i);
    const int width = box.right - box.left, height = box.bottom - box.top;
    if (width <= 0 || height <= 0) continue;
    const bool current = i == tabSet->TabIndex();
    // Composed upright, then turned upside down: the strip's tabs point up.
    SkinBitmap tab = SkinBitmap::Create(width, height);
    if (tab.Empty()) continue;
    {
      BitmapDc tabDc(tab);
      RECT all{0, 0, width, height};
      OwnedBrush faceBrush(CreateSolidBrush(ColorToRGB(face)));
      FillRect(tabDc.Get(), &all, faceBrush.Get());
      DrawSkinObject(tabDc.Get(), {0, 0, width, height}, section.Frames, current ? 2 : 1, section);
    }
    FlipBitmap(tab);
    BitmapDc tabDc(tab);
    BitBlt(canvas.Get(), box.left, box.top, width, height, tabDc.Get(), 0, 0, SRCCOPY);
    SetTextColor(canvas.Get(), ColorToRGB(current ? section.MouseOverColour2 : section.NormalColour2));
    DrawCaptionText(canvas.Get(), box, DT_CENTER, Control()->Enabled(), tabSet->Tabs()[static_cast<size_t>(i)]);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, canvas.Get(), 0, 0, SRCCOPY);
}

}  // namespace quonel
