// The clickable objects of the skinned non-client area: TNCObject, the base
// that keeps the hot/pressed state machine, and TWinSysButton, one caption
// button drawn from its skin strip. The object under the mouse or pressed is
// the owner's hot object; at most one is hot at a time.
#pragma once
#include <windows.h>

#include "skin/frame/frame_layout.h"

namespace quonel {

class TDataSkinSysButton;
class TNCObject;

// What a non-client object needs of the frame that owns it.
class TNCObjectHost {
 public:
  virtual ~TNCObjectHost() = default;
  virtual TNCObject* HotObject() const = 0;
  virtual void SetHotObject(TNCObject* object) = 0;
  virtual HWND Window() const = 0;
};

class TNCObject {
 public:
  enum State { kNormal = 1, kPressed = 2, kHot = 3 };

  explicit TNCObject(TNCObjectHost& owner) : owner_(owner) {}
  virtual ~TNCObject();
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  virtual void MouseDown();
  virtual void MouseUp();
  virtual void MouseMove();
  virtual void MouseLeave();
  virtual void Paint() {}

  TNCObjectHost& Owner() const { return owner_; }
  Rect rect;             // window coordinates
  bool enabled = false;  // shown and usable
  int state = kNormal;

 private:
  TNCObjectHost& owner_;
};

// One caption button. Its skin object belongs to the skin data.
class TWinSysButton : public TNCObject {
 public:
  TWinSysButton(TNCObjectHost& owner, const TDataSkinSysButton& skin) : TNCObject(owner), skin_(skin) {}
  const TDataSkinSysButton& Skin() const { return skin_; }
  CaptionButtonSetting Setting() const;
  // Icon buttons draw the window's icon instead of a strip.
  bool DrawsIcon() const { return IsIconAction(Setting().action); }
  // The frame width and height of its strip; 0 x 0 without image.
  int FrameWidth() const;
  int FrameHeight() const;

  // On the window: the frame equal to its state.
  void Paint() override;
  // Into a caption strip being composed, at the strip's origin offset.
  void Draw(HDC dc, int frame, HICON icon, int iconSize) const;
  // The frame the caption shows when nothing is hot or pressed.
  int CaptionFrame(bool active) const;

 private:
  const TDataSkinSysButton& skin_;
};

}  // namespace quonel
