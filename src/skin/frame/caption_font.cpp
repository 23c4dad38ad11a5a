#include "skin/frame/caption_font.h"

#include "core/win32_owners.h"

namespace quonel {

HFONT CaptionFont(HFONT base, int fontHeight) {
  thread_local OwnedFont font;
  thread_local HFONT madeFrom = nullptr;
  thread_local int madeAt = 0;
  if (font && madeFrom == base && madeAt == fontHeight) return font.Get();
  LOGFONTW face{};
  if (!base || !GetObjectW(base, sizeof face, &face)) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) face = metrics.lfCaptionFont;
  }
  if (fontHeight > 0) face.lfHeight = -fontHeight;
  face.lfCharSet = GB2312_CHARSET;
  font.Reset(CreateFontIndirectW(&face));
  madeFrom = base;
  madeAt = fontHeight;
  return font.Get();
}

}  // namespace quonel
