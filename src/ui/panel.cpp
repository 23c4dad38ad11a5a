#include "ui/panel.h"

#include "core/property_registry.h"

namespace quonel {

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetBevelOuter(TBevelCut value) {
  bevelOuter_ = value;
  Invalidate();
}

void TPanel::PaintWindow(HDC dc) {
  RECT client = ClientRect();
  if (bevelOuter_ != TBevelCut::bvNone)
    DrawEdge(dc, &client, bevelOuter_ == TBevelCut::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
  const std::wstring caption = Caption();
  if (caption.empty()) return;
  SelectionScope font(dc, Font().Handle());
  SetTextColor(dc, ColorToRGB(Font().Color()));
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void RegisterPanelClass() {
  ClassRegistrar<TPanel>(L"TPanel", L"TWinControl")
      .Creatable()
      .Enumeration(L"BevelOuter", {L"bvNone", L"bvLowered", L"bvRaised"},
                   [](TPanel& p) { return static_cast<int>(p.BevelOuter()); },
                   [](TPanel& p, int64_t v) { p.SetBevelOuter(static_cast<TBevelCut>(v)); });
}

}  // namespace quonel
