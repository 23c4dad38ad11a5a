// TSkinAdvPage: a page control of another library that draws its tabs over
// two pictures of its own, TabBackGround and TabBackGroundActive. The skin
// puts frames 1 and 2 of its Tabs strip there and gives the control its own
// pictures back when it lets go. Its tab scroller gets the up-down skin.
#pragma once
#include <memory>

#include "core/win32_owners.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/text_entry/skin_up_down.h"

namespace quonel {

class TSkinAdvPage : public TSkinControl {
 public:
  TSkinAdvPage() = default;
  // A form that lets go of its skins frees them: the control's pictures come back then too.
  ~TSkinAdvPage() override;
  const wchar_t* ClassName() const override { return L"TSkinAdvPage"; }
  void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour) override;
  void Detach() override;
  void SkinChanged() override;

 private:
  void HandOverPictures();
  void RestorePictures();
  // Copies of the control's own pictures, none when it had none.
  OwnedBitmap savedNormal_, savedActive_;
  bool saved_ = false;
  std::unique_ptr<TSkinUpDown> scroller_;
};

}  // namespace quonel
