// TGauge: a progress bar drawn by the program itself: background colour, a
// bar in ForeColor for the part done, and the percentage "%d%%" centred.
#pragma once
#include "ui/gauge_values.h"
#include "ui/graphic_control.h"

namespace quonel {

enum class TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar };

class TGauge : public TGraphicControl {
 public:
  explicit TGauge(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TGauge"; }

  TGaugeKind Kind() const { return kind_; }
  void SetKind(TGaugeKind kind);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor color);
  TColor ForeColor() const { return foreColor_; }
  void SetForeColor(TColor color);
  bool ShowText() const { return showText_; }
  void SetShowText(bool value);
  int MinValue() const { return static_cast<int>(values_.Min()); }
  void SetMinValue(int value);
  int MaxValue() const { return static_cast<int>(values_.Max()); }
  void SetMaxValue(int value);
  int Progress() const { return static_cast<int>(values_.Progress()); }
  void SetProgress(int value);
  int PercentDone() const { return values_.Percent(); }

 protected:
  void Paint() override;

 private:
  TGaugeKind kind_ = TGaugeKind::gkHorizontalBar;
  TColor backColor_ = clWhite;
  TColor foreColor_ = clBlack;
  bool showText_ = true;
  GaugeValues values_;
};

void RegisterGaugeClass();

}  // namespace quonel
