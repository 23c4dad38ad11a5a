// TSkinTrackBar: a track bar whose channel and thumb come from the skin,
// through the control's own custom-draw notifications. The tics stay the
// control's. The notifications go to the track bar's parent: for a bare
// window the skin listens there through a second window subclass; a library
// control gets them reflected to itself.
#pragma once
#include "skin/controls/skin_control.h"

namespace quonel {

class TSkinTrackBar : public TSkinControl {
 public:
  TSkinTrackBar();
  const wchar_t* ClassName() const override { return L"TSkinTrackBar"; }
  void AttachHandle(HWND window, TSkinData* data, TSkinForm* form) override;
  void Detach() override;
  void SkinChanged() override;

 protected:
  bool BeforeMessage(TMessage& message) override;

 private:
  // The answer to one NM_CUSTOMDRAW of this track bar.
  LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
  void DrawChannel(HDC dc, bool vertical);
  void DrawThumb(HDC dc, bool vertical);
  TWindowSubclass parentLink_;
};

}  // namespace quonel
