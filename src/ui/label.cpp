#include "ui/label.h"

#include "core/win32_owners.h"

#include "core/property_registry.h"

namespace quonel {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TLabel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Invalidate();
}

void TLabel::SetTransparent(bool value) {
  transparent_ = value;
  Invalidate();
}

void TLabel::SetWordWrap(bool value) {
  wordWrap_ = value;
  Invalidate();
}

void TLabel::SetAutoSize(bool value) {
  autoSize_ = value;
  AdjustSize();
}

void TLabel::TextChanged() {
  AdjustSize();
  TGraphicControl::TextChanged();
}

void TLabel::FontChanged() {
  AdjustSize();
  TGraphicControl::FontChanged();
}

void TLabel::AdjustSize() {
  if (!autoSize_ || wordWrap_ || HasState(ComponentStateFlag::Loading)) return;
  WindowDc screen;
  SelectionScope font(screen.Get(), Font().Handle());
  const std::wstring text = Caption().empty() ? L" " : Caption();
  SIZE extent = {};
  GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
  SetBounds(Left(), Top(), Caption().empty() ? Width() : extent.cx, extent.cy);
}

void TLabel::Paint() {
  RECT client = ClientRect();
  if (!transparent_) {
    Canvas().SetBrushColor(Color());
    Canvas().FillRect(client);
  }
  UINT format = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
  if (alignment_ == TAlignment::taCenter) format |= DT_CENTER;
  if (alignment_ == TAlignment::taRightJustify) format |= DT_RIGHT;
  if (UseRightToLeftReading()) format |= DT_RTLREADING;
  if (!Enabled()) Canvas().Font().SetColor(clBtnShadow);
  Canvas().TextRect(Caption(), client, format);
}

void RegisterLabelClass() {
  ClassRegistrar<TLabel>(L"TLabel", L"TGraphicControl")
      .Creatable()
      .Enumeration(L"Alignment", {L"taLeftJustify", L"taRightJustify", L"taCenter"},
                   [](TLabel& l) { return static_cast<int>(l.Alignment()); },
                   [](TLabel& l, int64_t v) { l.SetAlignment(static_cast<TAlignment>(v)); })
      .Boolean(L"Transparent", [](TLabel& l) { return l.Transparent(); },
               [](TLabel& l, bool v) { l.SetTransparent(v); })
      .Boolean(L"WordWrap", [](TLabel& l) { return l.WordWrap(); }, [](TLabel& l, bool v) { l.SetWordWrap(v); })
      .Boolean(L"AutoSize", [](TLabel& l) { return l.AutoSize(); }, [](TLabel& l, bool v) { l.SetAutoSize(v); });
}

}  // namespace quonel
