#include "skin/controls/bars/skin_status_bar.h"

#include <vector>

#include "core/win32_owners.h"
#include "skin/controls/bars/bar_geometry.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/skin_renderers.h"
#include "ui/win_control.h"

namespace quonel {

namespace {

constexpr int kSizeGripFrame = 5;
constexpr int kMaxPanels = 256;

// A panel's text with the platform's alignment tabs taken off: one leading
// tab centres, two align right.
UINT TakeAlignment(std::wstring& text) {
  int tabs = 0;
  while (tabs < 2 && tabs < static_cast<int>(text.size()) && text[tabs] == L'\t') ++tabs;
  text.erase(0, tabs);
  return tabs == 1 ? DT_CENTER : tabs == 2 ? DT_RIGHT : DT_LEFT;
}

PanelBevel BevelOf(LRESULT flags) {
  if (flags & SBT_NOBORDERS) return PanelBevel::None;
  if (flags & SBT_POPOUT) return PanelBevel::Raised;
  return PanelBevel::Lowered;
}

}  // namespace

struct TSkinStatusBar::Panel {
  Rect frame;
  PanelBevel bevel = PanelBevel::Lowered;
  std::wstring text;
  UINT alignment = DT_LEFT;
};

bool TSkinStatusBar::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  return !TakeOverPainting(message);
}

void TSkinStatusBar::PaintSkin(HDC dc, const RECT&) {
  const HWND window = Window();
  RECT client{};
  if (!SkinData() || !NonEmptyClientRect(client)) return;
  const int width = client.right, height = client.bottom;
  if (offscreen_.Width() != width || offscreen_.Height() != height) offscreen_ = SkinBitmap::Create(width, height);
  if (offscreen_.Empty()) return;
  const TDataSkinObject* edges = SkinData()->Slot(SkinSlot::StatusBar);

  std::vector<Panel> panels;
  const int parts = static_cast<int>(SendMessageW(window, SB_GETPARTS, 0, 0));
  if (SendMessageW(window, SB_ISSIMPLE, 0, 0) || parts <= 0) {
    Panel simple{{0, 0, width, height}, PanelBevel::Lowered, {}, DT_LEFT};
    wchar_t buffer[512] = {};
    if (LOWORD(SendMessageW(window, SB_GETTEXTLENGTHW, SB_SIMPLEID, 0)) < 512)
      SendMessageW(window, SB_GETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(buffer));
    simple.text = buffer;
    simple.alignment = TakeAlignment(simple.text);
    panels.push_back(std::move(simple));
  } else {
    const int count = parts < kMaxPanels ? parts : kMaxPanels;
    for (int i = 0; i < count; ++i) {
      RECT r{};
      if (!SendMessageW(window, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
      const LRESULT info = SendMessageW(window, SB_GETTEXTLENGTHW, i, 0);
      Panel panel{StatusPanelFrameRect(FromRECT(r), i == count - 1, width), BevelOf(HIWORD(info)), {}, DT_LEFT};
      // Owner-drawn panels keep data, not text, where the text would be.
      if (!(HIWORD(info) & SBT_OWNERDRAW) && LOWORD(info) < 1024) {
        std::wstring text(LOWORD(info) + 1, L'\0');
        SendMessageW(window, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(wcslen(text.c_str()));
        panel.text = std::move(text);
      }
      panel.alignment = TakeAlignment(panel.text);
      if (panel.text.empty()) panel.text = L" ";
      panels.push_back(std::move(panel));
    }
  }

  {
    BitmapDc memory(offscreen_);
    const HDC bitmapDc = memory.Get();
    FillBackground(bitmapDc, client);
    SelectionScope font(bitmapDc, ControlFont(nullptr));
    SetTextColor(bitmapDc, ColorToRGB(edges ? edges->NormalColour2 : SkinData()->Colours().ButtonText));
    RefreshWindowState();
    for (const Panel& panel : panels) DrawPanel(bitmapDc, panel);
    const TDataSkinObject* extras = SkinData()->Slot(SkinSlot::ExtraImages);
    if ((GetWindowLongPtrW(window, GWL_STYLE) & SBARS_SIZEGRIP) && extras && !extras->Image.Empty()) {
      StripFrame grip{extras->Image};
      grip.count = extras->Frames > 0 ? extras->Frames : kSizeGripFrame;
      grip.index = kSizeGripFrame;
      grip.transparent = true;
      const int gripWidth = extras->Image.Width() / grip.count, gripHeight = extras->Image.Height();
      DrawFrameStretched(bitmapDc, {width - gripWidth - 1, height - gripHeight - 1, width - 1, height - 1}, grip);
    }
    BitBlt(dc, 0, 0, width, height, bitmapDc, 0, 0, SRCCOPY);
  }
  if (auto* bar = dynamic_cast<TWinControl*>(Control())) bar->PaintControls(dc);
  if (parts > 0 && !SendMessageW(window, SB_ISSIMPLE, 0, 0)) DrawOwnerPanels(dc, parts, width);
}

void TSkinStatusBar::DrawPanel(HDC dc, const Panel& panel) {
  const TDataSkinObject* edges = SkinData()->Slot(SkinSlot::StatusBar);
  if (edges && !edges->Image.Empty()) {
    DrawSkinObject(dc, panel.frame, edges->Frames, StatusPanelFrame(panel.bevel), *edges);
  } else if (panel.bevel != PanelBevel::None) {
    // No strip: the platform's one-pixel bevel in the skin's place.
    const bool raised = panel.bevel == PanelBevel::Raised;
    RECT r = ToRECT(panel.frame);
    OwnedBrush light(CreateSolidBrush(ColorToRGB(clBtnHighlight))), dark(CreateSolidBrush(ColorToRGB(clBtnShadow)));
    const HBRUSH topLeft = raised ? light.Get() : dark.Get(), bottomRight = raised ? dark.Get() : light.Get();
    RECT edge{r.left, r.top, r.right, r.top + 1};
    FillRect(dc, &edge, topLeft);
    edge = {r.left, r.top, r.left + 1, r.bottom};
    FillRect(dc, &edge, topLeft);
    edge = {r.left, r.bottom - 1, r.right, r.bottom};
    FillRect(dc, &edge, bottomRight);
    edge = {r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &edge, bottomRight);
  }
  RECT text{panel.frame.left + 2, panel.frame.top, panel.frame.right - 2, panel.frame.bottom};
  UINT alignment = panel.alignment;
  // Right-to-left panels exchange left and right.
  if ((TextDirectionFlags(0) & DT_RTLREADING) && alignment != DT_CENTER)
    alignment = alignment == DT_LEFT ? DT_RIGHT : DT_LEFT;
  DrawCaptionText(dc, text, alignment, true, panel.text);
}

void TSkinStatusBar::DrawOwnerPanels(HDC dc, int count, int barWidth) {
  const HWND window = Window();
  const HWND parent = GetParent(window);
  if (!parent) return;
  for (int i = 0; i < count && i < kMaxPanels; ++i) {
    const LRESULT info = SendMessageW(window, SB_GETTEXTLENGTHW, i, 0);
    RECT r{};
    if (!(HIWORD(info) & SBT_OWNERDRAW)) continue;
    if (!SendMessageW(window, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
    const Rect frame = StatusPanelFrameRect(FromRECT(r), i == count - 1, barWidth);
    DRAWITEMSTRUCT item{};
    item.CtlType = 0;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(window));
    item.itemID = static_cast<UINT>(i);
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = window;
    item.hDC = dc;
    item.rcItem = {frame.left + 2, frame.top + 2, frame.right - 2, frame.bottom - 2};
    item.itemData = static_cast<ULONG_PTR>(SendMessageW(window, SB_GETTEXTW, i, 0));
    SendMessageW(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  }
}

bool TSkinSizer::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  return !TakeOverPainting(message);
}

void TSkinSizer::PaintSkin(HDC dc, const RECT&) {
  RECT client{};
  if (const HWND window = Window(); window && GetClientRect(window, &client)) FillBackground(dc, client);
}

}  // namespace quonel
