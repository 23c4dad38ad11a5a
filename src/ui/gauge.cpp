#include "ui/gauge.h"

#include "core/property_registry.h"

namespace quonel {

TGauge::TGauge(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 100, 100); }

void TGauge::SetKind(TGaugeKind kind) {
  kind_ = kind;
  Invalidate();
}

void TGauge::SetBackColor(TColor color) {
  backColor_ = color;
  Invalidate();
}

void TGauge::SetForeColor(TColor color) {
  foreColor_ = color;
  Invalidate();
}

void TGauge::SetShowText(bool value) {
  showText_ = value;
  Invalidate();
}

void TGauge::SetMinValue(int value) {
  values_.SetMin(value);
  Invalidate();
}

void TGauge::SetMaxValue(int value) {
  values_.SetMax(value);
  Invalidate();
}

void TGauge::SetProgress(int value) {
  const int64_t before = values_.Progress();
  values_.SetProgress(value);
  if (values_.Progress() != before) Invalidate();
}

// Composed off screen and copied once, so that the bar does not flicker
// while a transfer updates it many times a second.
void TGauge::Paint() {
  const RECT client = ClientRect();
  if (client.right <= 0 || client.bottom <= 0) return;
  HDC target = Canvas().Handle();
  MemoryDc memoryDc(target);
  HDC memory = memoryDc.Get();
  OwnedBitmap bitmap(CreateCompatibleBitmap(target, client.right, client.bottom));
  {
    SelectionScope selected(memory, bitmap.Get());
    TCanvas canvas;
    canvas.SetHandle(memory);
    canvas.Font().Assign(Font());
    canvas.SetBrushColor(backColor_);
    canvas.FillRect(client);
    RECT inner = {1, 1, client.right - 1, client.bottom - 1};
    RECT filled = {0, 0, 0, 0};
    if (kind_ == TGaugeKind::gkHorizontalBar) {
      filled = inner;
      filled.right = inner.left + values_.FilledLength(inner.right - inner.left);
    } else if (kind_ == TGaugeKind::gkVerticalBar) {
      filled = inner;
      filled.top = inner.bottom - values_.FilledLength(inner.bottom - inner.top);
    }
    if (filled.right > filled.left && filled.bottom > filled.top) {
      canvas.SetBrushColor(foreColor_);
      canvas.FillRect(filled);
    }
    canvas.FrameRect(client, clBlack);
    if (showText_) {
      const std::wstring percent = std::to_wstring(values_.Percent()) + L"%";
      RECT text = client;
      canvas.TextRect(percent, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      // Over the bar the text takes the background's colour, so that it stays
      // readable on a dark bar: a full bar would otherwise hide it.
      if (filled.right > filled.left && filled.bottom > filled.top) {
        const int saved = SaveDC(memory);
        IntersectClipRect(memory, filled.left, filled.top, filled.right, filled.bottom);
        canvas.Font().SetColor(backColor_);
        text = client;
        canvas.TextRect(percent, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        RestoreDC(memory, saved);
      }
    }
    BitBlt(target, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  }
}

void RegisterGaugeClass() {
  ClassRegistrar<TGauge>(L"TGauge", L"TGraphicControl")
      .Creatable()
      .Enumeration(L"Kind", {L"gkText", L"gkHorizontalBar", L"gkVerticalBar"},
                   [](TGauge& g) { return static_cast<int>(g.Kind()); },
                   [](TGauge& g, int64_t v) { g.SetKind(static_cast<TGaugeKind>(v)); })
      .Integer(L"BackColor", [](TGauge& g) { return g.BackColor(); },
               [](TGauge& g, int64_t v) { g.SetBackColor(static_cast<TColor>(v)); }, ColorFromIdent)
      .Integer(L"ForeColor", [](TGauge& g) { return g.ForeColor(); },
               [](TGauge& g, int64_t v) { g.SetForeColor(static_cast<TColor>(v)); }, ColorFromIdent)
      .Boolean(L"ShowText", [](TGauge& g) { return g.ShowText(); }, [](TGauge& g, bool v) { g.SetShowText(v); })
      .Integer(L"MinValue", [](TGauge& g) { return g.MinValue(); },
               [](TGauge& g, int64_t v) { g.SetMinValue(static_cast<int>(v)); })
      .Integer(L"MaxValue", [](TGauge& g) { return g.MaxValue(); },
               [](TGauge& g, int64_t v) { g.SetMaxValue(static_cast<int>(v)); })
      .Integer(L"Progress", [](TGauge& g) { return g.Progress(); },
               [](TGauge& g, int64_t v) { g.SetProgress(static_cast<int>(v)); });
}

}  // namespace quonel
