// The caption helpers of TSkinControl, shared by every skinned control.
#include <algorithm>

#include "skin/controls/buttons/caption_layout.h"
#include "skin/controls/skin_control.h"
#include "skin/gdi/skin_bitmap.h"
#include "skin/gdi/skin_text.h"

namespace quonel {

namespace {

constexpr UINT kCaptionMeasure = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS;                                // 0x540
constexpr UINT kItemMeasure = DT_END_ELLIPSIS | DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE | DT_EXPANDTABS;  // 0x8560
constexpr UINT kItemDraw = DT_END_ELLIPSIS | DT_SINGLELINE | DT_EXPANDTABS;                              // 0x8060

}  // namespace

void TSkinControl::DrawCaptionText(HDC dc, const RECT& rect, UINT alignment, bool enabled,
                                   const std::wstring& text) const {
  RECT measured = rect;
  DrawTextWide(dc, text, measured, alignment | kCaptionMeasure);
  const int textWidth = measured.right - measured.left, textHeight = measured.bottom - measured.top;
  RECT area = rect;
  const int dy = (rect.bottom - rect.top - textHeight) / 2 - 1;
  area.top = rect.top + dy;
  area.bottom = area.top + textHeight;
  if (alignment == DT_CENTER) {
    area.left = rect.left + (rect.right - rect.left - textWidth) / 2;
    area.right = area.left + textWidth;
  }
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) SetTextColor(dc, ColorToRGB(clBtnShadow));
  DrawTextWide(dc, text, area, TextDirectionFlags(alignment | DT_EXPANDTABS));
}

void TSkinControl::DrawItemText(HDC dc, const RECT& rect, int alignment, const std::wstring& text, int imageIndex,
                                HIMAGELIST images) const {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  int iconWidth = 0, iconHeight = 0;
  if (!(images && imageIndex != -1 && ImageList_GetIconSize(images, &iconWidth, &iconHeight) && iconWidth < width))
    iconWidth = 0;
  RECT measured{rect.left, rect.top, rect.right, rect.bottom};
  int textWidth = 0, textHeight = 0;
  if (!text.empty()) {
    DrawTextWide(dc, text, measured, kItemMeasure);
    textWidth = measured.right - measured.left;
    textHeight = measured.bottom - measured.top;
  }
  int start = 3;
  if (alignment == 1) start = (width - textWidth - iconWidth) / 2;
  else if (alignment == 2) start = width - textWidth - iconWidth - 2;
  if (start < 2) start = 1;
  if (iconWidth > 0)
    ImageList_Draw(images, imageIndex, dc, rect.left + start, rect.top + (height - iconWidth) / 2, ILD_TRANSPARENT);
  RECT area{rect.left + start + iconWidth, rect.top + (height - textHeight) / 2, rect.right, rect.bottom};
  area.left = std::clamp(area.left, rect.left, rect.right);
  SetBkMode(dc, TRANSPARENT);
  if (!enabled_) SetTextColor(dc, ColorToRGB(clBtnShadow));
  DrawTextWide(dc, text, area, TextDirectionFlags(kItemDraw));
}

void TSkinControl::DrawCaptionFocus(HDC dc, UINT format, const RECT& rect) const {
  RECT measured = rect;
  DrawTextWide(dc, caption_, measured, format | DT_CALCRECT | DT_NOCLIP);
  const TextSize size{measured.right - measured.left, measured.bottom - measured.top};
  const RECT focus = ToRECT(CaptionFocusRect(FromRECT(rect), size, format));
  DrawFocusRect(dc, &focus);
}

}  // namespace quonel
