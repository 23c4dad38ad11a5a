#include "skin/frame/caption_button.h"

#include "core/win32_owners.h"
#include "skin/data/skin_objects.h"
#include "skin/gdi/skin_renderers.h"

namespace quonel {

TNCObject::~TNCObject() {
  if (owner_.HotObject() == this) owner_.SetHotObject(nullptr);
}

void TNCObject::MouseDown() {
  TNCObject* hot = owner_.HotObject();
  if (hot && hot != this) hot->MouseLeave();
  if (!enabled) return;
  owner_.SetHotObject(this);
  state = kPressed;
  Paint();
}

void TNCObject::MouseUp() {
  if (!enabled) return;
  state = kHot;
  Paint();
}

void TNCObject::MouseMove() {
  TNCObject* hot = owner_.HotObject();
  if (hot == this) return;
  if (hot) hot->MouseLeave();
  if (!enabled) return;
  owner_.SetHotObject(this);
  state = kHot;
  Paint();
}

void TNCObject::MouseLeave() {
  if (!enabled) return;
  if (owner_.HotObject() == this) owner_.SetHotObject(nullptr);
  state = kNormal;
  Paint();
}

CaptionButtonSetting TWinSysButton::Setting() const {
  return {skin_.Action, skin_.Align, skin_.X, skin_.Y, skin_.Visibility, skin_.Visibility1};
}

int TWinSysButton::FrameWidth() const {
  if (skin_.Image.Empty()) return 0;
  // An icon button's own image is one frame: it gives the icon's box.
  if (DrawsIcon()) return skin_.Image.Width();
  return skin_.Image.Width() / (skin_.Frames > 0 ? skin_.Frames : 1);
}

int TWinSysButton::FrameHeight() const { return skin_.Image.Empty() ? 0 : skin_.Image.Height(); }

int TWinSysButton::CaptionFrame(bool active) const { return active || skin_.Frames < 4 ? 1 : 4; }

void TWinSysButton::Draw(HDC dc, int frame, HICON icon, int iconSize) const {
  if (DrawsIcon()) {
    // The window's icon into the button's box, whatever image sized the box;
    // a window without icon shows the button's own image.
    if (icon) DrawIconEx(dc, rect.left, rect.top, icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
    else if (!skin_.Image.Empty()) DrawFrameStretched(dc, rect, {skin_.Image, 1, 1, {}, false, false, true});
    return;
  }
  // An MDI button shows its hot look in frame 4.
  if (frame == kHot && skin_.Visibility == 100) frame = 4;
  DrawFrameStretched(dc, rect, {skin_.Image, skin_.Frames, frame, {}, false, false, true});
}

void TWinSysButton::Paint() {
  if (!enabled || DrawsIcon()) return;
  WholeWindowDc dc(Owner().Window());
  if (dc.Get()) Draw(dc.Get(), state, nullptr, 0);
}

}  // namespace quonel
