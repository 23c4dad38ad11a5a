#include "skin/controls/scrolling/skin_header.h"

#include <windowsx.h>

#include <algorithm>

#include "core/win32_owners.h"
#include "skin/controls/scrolling/header_layout.h"
#include "skin/data/skin_data.h"

namespace quonel {

HeaderItemText ReadHeaderItem(HWND header, int index) {
  wchar_t buffer[kHeaderTextBuffer] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
  item.pszText = buffer;
  item.cchTextMax = kHeaderTextBuffer;
  HeaderItemText result;
  if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return result;
  // The control writes at most cchTextMax characters with the terminator;
  // the last place is forced to one all the same.
  buffer[kHeaderTextBuffer - 1] = L'\0';
  result.text = buffer;
  result.format = item.fmt;
  result.image = item.iImage;
  return result;
}

std::vector<Rect> HeaderItemRects(HWND header) {
  const int count = std::max(0, static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)));
  std::vector<Rect> rects(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
      rects[static_cast<size_t>(i)] = FromRECT(item);
  }
  return rects;
}

std::vector<Rect> TSkinHeader::HitRects() const {
  const HWND header = Window();
  std::vector<Rect> rects = header ? HeaderItemRects(header) : std::vector<Rect>{};
  for (Rect& rect : rects) rect = HeaderHitRect(rect);
  return rects;
}

void TSkinHeader::Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) {
  TSkinControl::Attach(control, data, form, recolour);
  hotItem_ = -1;
}

void TSkinHeader::AttachHandle(HWND window, TSkinData* data, TSkinForm* form) {
  TSkinControl::AttachHandle(window, data, form);
  hotItem_ = -1;
}

const TDataSkinObject* TSkinHeader::Bar() const {
  const TDataSkinObject* bar = SkinData() ? SkinData()->Slot(SkinSlot::Header) : nullptr;
  return bar && !bar->Image.Empty() ? bar : nullptr;
}

bool TSkinHeader::BeforeMessage(TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  switch (message.Msg) {
    case WM_PAINT:
      if (!Bar()) return true;
      PaintHandler(message);
      return false;
    case WM_ERASEBKGND:
      if (!Bar()) return true;
      message.Result = 1;
      return false;
  }
  return true;
}

void TSkinHeader::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE: {
      const int item = HeaderItemAt(HitRects(), GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
      if (item != -1 && item != hotItem_) {
        hotItem_ = item;
        Redraw();
      }
      if (const HWND window = Window()) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
      }
      return;
    }
    case WM_MOUSELEAVE:
      hotItem_ = -1;
      Redraw();
      return;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinHeader::PaintSkin(HDC dc, const RECT& rect) {
  const TDataSkinObject* bar = Bar();
  const HWND header = Window();
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (!bar || !header || width <= 0 || height <= 0) return;
  if (offscreen_.Width() != width || offscreen_.Height() != height) offscreen_ = SkinBitmap::Create(width, height);
  if (offscreen_.Empty()) return;
  BitmapDc memory(offscreen_);
  SelectionScope font(memory.Get(), reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
  SetBkMode(memory.Get(), TRANSPARENT);
  enabled_ = true;

  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
  const std::vector<Rect> items = HeaderItemRects(header);
  int lastRight = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].Width() <= 0) continue;
    PaintItem(memory.Get(), header, static_cast<int>(i), items[i], images, *bar);
    lastRight = std::max(lastRight, items[i].right);
  }
  const Rect rest = HeaderRestRect(lastRight, width, height);
  if (rest.Width() > 0) DrawSkinObject(memory.Get(), rest, bar->Frames, 1, *bar);
  BitBlt(dc, rect.left, rect.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

void TSkinHeader::PaintItem(HDC dc, HWND header, int index, const Rect& item, HIMAGELIST images,
                            const TDataSkinObject& bar) {
  if (item.Width() <= 0 || item.Height() <= 0) return;
  const bool hot = index == hotItem_;
  DrawSkinObject(dc, item, bar.Frames, hot ? 2 : 1, bar);
  const HeaderItemText text = ReadHeaderItem(header, index);
  if (text.text.empty()) return;
  SetTextColor(dc, ColorToRGB(hot ? bar.MouseOverColour2 : bar.NormalColour2));
  DrawItemText(dc, ToRECT(item), HeaderTextAlignment(text.format), text.text, HeaderItemImage(text.format, text.image),
               images);
}

}  // namespace quonel
