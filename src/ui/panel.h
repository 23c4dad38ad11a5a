// TPanel: a container of our own with an optional raised or lowered bevel
// and a centred caption.
#pragma once
#include "ui/win_control.h"

namespace quonel {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner);
  const wchar_t* ClassName() const override { return L"TPanel"; }

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);

 protected:
  void PaintWindow(HDC dc) override;

 private:
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;
};

void RegisterPanelClass();

}  // namespace quonel
