#include "skin/controls/tabs/skin_tabs.h"

#include <windowsx.h>

#include "core/win32_owners.h"
#include "skin/data/skin_data.h"
#include "skin/gdi/bitmap_transforms.h"
#include "skin/gdi/skin_renderers.h"
#include "skin/skin_messages.h"
#include "ui/control.h"
#include "ui/win_control.h"

namespace quonel {

namespace {

constexpr int kTabFrames = 5;
constexpr int kMaxTabText = 80;
constexpr Margins kBorderPaneMargins{4, 5, 4, 4};

// The deferred close of a tab: posted to the tab window itself, so that the
// tab goes once the click that asked for it has been handled completely.
UINT CloseTabMessage() {
  static const UINT message = RegisterWindowMessageW(L"Quonel.SkinTab.CloseTab");
  return message;
}

}  // namespace

HWND FindTabScroller(HWND window, bool visibleOnly) {
  for (HWND child = window ? GetWindow(window, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, UPDOWN_CLASSW) == 0 && (!visibleOnly || IsWindowVisible(child))) return child;
  }
  return nullptr;
}

void SkinTabScroller(std::unique_ptr<TSkinUpDown>& skin, HWND scroller, TSkinData* data, TSkinForm* form) {
  if (!scroller || !data || (skin && skin->Window() == scroller)) return;
  // A scroller that is someone else's already keeps that skin.
  if (SendMessageW(scroller, SKM_ISSKINNED, 0, 0) == 1) return;
  skin = std::make_unique<TSkinUpDown>();
  skin->SetHorizontal(true);
  skin->AttachHandle(scroller, data, form);
}

void TSkinTab::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  TSkinControl::Attach(control, data, form, recolour);
  // The skin paints the whole control: a library control's windowless
  // children are painted again over it.
  if (GetLifeState() == kAttached) backgroundMode_ = kTabBackground;
  Prepare();
}

void TSkinTab::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  TSkinControl::AttachHandle(window, data, form);
  Prepare();
}

void TSkinTab::SkinChanged() {
  Prepare();
  TSkinControl::SkinChanged();
}

void TSkinTab::Prepare() {
  tabImage_ = {};
  paneImage_ = {};
  const HWND window = Window();
  if (!window || !SkinData()) return;
  side_ = TabSideFromStyle(static_cast<uint32_t>(GetWindowLongPtrW(window, GWL_STYLE)));
  const auto* tabs = SkinData()->SlotAs<TDataSkinBorder>(SkinSlot::Tabs);
  if (!tabs || tabs->Image.Empty()) return;
  tabImage_ = CopyAs24(tabs->Image);
  if (tabs->Style == 0) {
    if (!tabs->Image2.Empty()) paneImage_ = CopyAs24(tabs->Image2);
  } else if (const TDataSkinObject* pane = SkinData()->Slot(SkinSlot::TabPane); pane && !pane->Image.Empty()) {
    paneImage_ = CopyAs24(pane->Image);
  }
  if (side_ == TabSide::Bottom) {
    FlipBitmap(tabImage_);
    if (!paneImage_.Empty()) FlipBitmap(paneImage_);
  } else if (side_ == TabSide::Left && !paneImage_.Empty()) {
    RotateBitmapLeft(paneImage_);
  } else if (side_ == TabSide::Right && !paneImage_.Empty()) {
    RotateBitmapRight(paneImage_);
  }
}

bool TSkinTab::CloseBoxesShown() const { return Control() && Control()->Tag() == kCloseBoxTag; }

bool TSkinTab::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (message.Msg == CloseTabMessage()) {
    CloseTab(static_cast<int>(message.WParam));
    message.Result = 0;
    return false;
  }
  if (tabImage_.Empty()) return true;
  if (TakeOverPainting(message)) return false;
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
      if (ClickCloseBox(message)) {
        message.Result = 0;
        return false;
      }
      break;
  }
  return true;
}

std::vector<TabItem> ReadTabItems(HWND window) {
  std::vector<TabItem> tabs;
  const bool unicode = IsWindowUnicode(window) != FALSE;
  const int count = static_cast<int>(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessageW(window, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
    TabItem tab{FromRECT(r), {}, -1};
    if (unicode) {
      wchar_t text[kMaxTabText + 1] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT | TCIF_IMAGE;
      item.pszText = text;
      item.cchTextMax = kMaxTabText + 1;
      if (SendMessageW(window, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item))) {
        tab.text = text;
        tab.image = item.iImage;
      }
    } else {
      char text[kMaxTabText + 1] = {};
      TCITEMA item{};
      item.mask = TCIF_TEXT | TCIF_IMAGE;
      item.pszText = text;
      item.cchTextMax = kMaxTabText + 1;
      if (SendMessageA(window, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item))) {
        wchar_t wide[kMaxTabText + 1] = {};
        MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kMaxTabText + 1);
        tab.text = wide;
        tab.image = item.iImage;
      }
    }
    tabs.push_back(std::move(tab));
  }
  return tabs;
}

void TSkinTab::PaintSkin(HDC dc, const RECT&) {
  const HWND window = Window();
  RECT client{};
  if (!window || !SkinData() || tabImage_.Empty() || !GetClientRect(window, &client)) return;
  if (client.right <= 0 || client.bottom <= 0) return;
  RECT adjusted = client;
  SendMessageW(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&adjusted));
  const Rect display = SkinDisplayArea(FromRECT(adjusted), side_);
  const Rect band = TabBandRect(FromRECT(client), display, side_);
  const std::vector<TabItem> tabs = ReadTabItems(window);
  RefreshWindowState();

  if (canvas_.Width() != client.right || canvas_.Height() != client.bottom)
    canvas_ = SkinBitmap::Create(client.right, client.bottom);
  if (canvas_.Empty()) return;
  BitmapDc canvas(canvas_);
  FillParentColor(canvas.Get(), client);
  DrawPane(canvas.Get(), display);
  if (band.Width() > 0 && band.Height() > 0) {
    ComposeBand(tabs, band, display);
    if (!bandImage_.Empty()) {
      BitmapDc composed(bandImage_);
      BitBlt(canvas.Get(), band.left, band.top, band.Width(), band.Height(), composed.Get(), 0, 0, SRCCOPY);
    }
  }
  closeBoxes_.clear();
  if (CloseBoxesShown()) {
    OwnedPen pen(CreatePen(PS_SOLID, 1, ColorToRGB(SkinData()->Colours().ButtonText)));
    SelectionScope selected(canvas.Get(), pen.Get());
    for (const TabItem& tab : tabs) {
      const Rect box = TabCloseBox(tab.rect);
      MoveToEx(canvas.Get(), box.left, box.top, nullptr);
      LineTo(canvas.Get(), box.right, box.bottom);
      MoveToEx(canvas.Get(), box.right - 1, box.top, nullptr);
      LineTo(canvas.Get(), box.left - 1, box.bottom);
      closeBoxes_.push_back(box);
    }
  }
  SavedDcState state(dc);
  if (const HWND scroller = FindTabScroller(window, true)) {
    // The control makes its scroller only when the tabs overflow.
    SkinTabScroller(scroller_, scroller, SkinData(), Form());
    RECT r{};
    GetWindowRect(scroller, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, canvas.Get(), 0, 0, SRCCOPY);
  if (backgroundMode_ == kTabBackground)
    if (auto* host = dynamic_cast<TWinControl*>(Control())) host->PaintControls(dc);
}

void TSkinTab::ComposeBand(const std::vector<TabItem>& tabs, const Rect& band, const Rect& display) {
  const BandSize size = ComposedBandSize(band, side_);
  bandImage_ = SkinBitmap::Create(size.width, size.height);
  if (bandImage_.Empty()) return;
  const auto& section = *SkinData()->SlotAs<TDataSkinBorder>(SkinSlot::Tabs);
  {
    BitmapDc memory(bandImage_);
    const HDC dc = memory.Get();
    FillParentColor(dc, {0, 0, size.width, size.height});
    SelectionScope font(dc, ControlFont(nullptr));
    const HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(Window(), TCM_GETIMAGELIST, 0, 0));
    const int focus = static_cast<int>(SendMessageW(Window(), TCM_GETCURFOCUS, 0, 0));
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
      const Rect place = TabRectInBand(tabs[i].rect, band, display, side_);
      StripFrame frame{tabImage_};
      frame.count = kTabFrames;
      frame.index = i == focus ? 2 : 1;
      frame.margins = section.Margins;
      frame.tile = section.Tile != 0;
      frame.transparent = section.Trans == 1;
      DrawSkinImage(dc, place, frame);
      SetTextColor(dc, ColorToRGB(i == focus ? section.MouseOverColour2 : section.NormalColour2));
      DrawItemText(dc, ToRECT(place), 1, tabs[i].text, tabs[i].image, images);
    }
  }
  if (side_ == TabSide::Left) RotateBitmapLeft(bandImage_);
  else if (side_ == TabSide::Right) RotateBitmapRight(bandImage_);
}

void TSkinTab::DrawPane(HDC dc, const Rect& display) {
  if (paneImage_.Empty() || display.Width() <= 0 || display.Height() <= 0) return;
  const auto& section = *SkinData()->SlotAs<TDataSkinBorder>(SkinSlot::Tabs);
  const TDataSkinObject* pane = SkinData()->Slot(SkinSlot::TabPane);
  StripFrame frame{paneImage_};
  frame.margins = section.Style != 0 && pane ? pane->Margins : kBorderPaneMargins;
  frame.transparent = section.Trans == 1;
  // A pane image that cannot be drawn leaves the pane plain.
  try {
    DrawSkinImage(dc, display, frame);
  } catch (...) {
  }
}

bool TSkinTab::ClickCloseBox(const TMessage& message) {
  const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
  for (int i = 0; i < static_cast<int>(closeBoxes_.size()); ++i) {
    if (!RectContains(closeBoxes_[i], x, y)) continue;
    const HWND window = Window();
    const HWND top = GetAncestor(window, GA_ROOT);
    if (SendMessageW(top, kCloseTabQuery, reinterpret_cast<WPARAM>(window), i) == 0)
      PostMessageW(window, CloseTabMessage(), static_cast<WPARAM>(i), 0);
    return true;
  }
  return false;
}

void TSkinTab::CloseTab(int index) {
  const HWND window = Window();
  // The tabs may have changed since the click: only a tab that still exists goes.
  if (!window || index < 0 || index >= static_cast<int>(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0))) return;
  SendMessageW(window, TCM_DELETEITEM, index, 0);
  Redraw();
}

bool TSkinTabSheet::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  switch (message.Msg) {
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintHandler(message);
      message.Result = message.Msg == WM_ERASEBKGND ? 1 : 0;
      return false;
  }
  return true;
}

void TSkinTabSheet::PaintSkin(HDC dc, const RECT&) {
  RECT client{};
  const HWND window = Window();
  if (!window || !GetClientRect(window, &client)) return;
  FillBackground(dc, client);
  if (auto* sheet = dynamic_cast<TWinControl*>(Control())) sheet->PaintControls(dc);
}

}  // namespace quonel
