// TSkinControl: the base of every object that skins one control of a skinned
// window. It sits in front of the control's message handling - a library
// control's WindowProc, or the window procedure of a bare window through a
// window subclass - sees each message first, decides whether the control's
// own handling runs, and paints the control from the skin.
//
// The skin leaves the window at WM_NCDESTROY without writing into the
// control (which may be in the middle of its destructor); the control's
// colour and its WindowProc are given back when the skin object is freed
// or detached while the control still exists.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "core/component.h"
#include "core/liveness.h"
#include "ui/messages.h"
#include "ui/window_subclass.h"
#include "skin/controls/window_proc_hook.h"
#include "skin/pixels/nine_slice_geometry.h"

namespace quonel {

class TControl;
class TSkinData;
class TSkinForm;
class TDataSkinObject;

class TSkinControl : public TComponent {
 public:
  // Life states: attached, detached (the window keeps its own look), and the
  // window destroyed; a form frees skins in that last state.
  enum LifeState { kNotAttached = 0, kAttached = 1, kDetached = 2, kWindowGone = 6 };
  // How the control's background is painted: its own, or the parent's.
  enum BackgroundMode { kOwnBackground = 0, kParentBackground = 1, kTabBackground = 2 };

  TSkinControl();
  ~TSkinControl() override;
  const wchar_t* ClassName() const override { return L"TSkinControl"; }

  // A control of the library, through its WindowProc. The control's window is
  // not forced into being: a hidden control is painted by the skin from the
  // moment its window is made. A second attachment changes nothing.
  virtual void Attach(TControl* control, TSkinData* data, TSkinForm* form, bool recolour);
  // A bare window known only by its handle (a message box's button).
  virtual void AttachHandle(HWND window, TSkinData* data, TSkinForm* form);
  // The control gets its own look back; undoes the colour changes of Attach.
  virtual void Detach();
  // Re-applies the skin after the skin data changed.
  virtual void SkinChanged();

  // The replacement message handler.
  void WndProc(TMessage& message);
  // Runs the control's own handling (the saved handler).
  void CallDefault(TMessage& message);
  // Invalidates and updates the window at once.
  void Redraw();
  // Paints the whole window through PaintSkin into dc, or the window's DC.
  virtual void PaintFrame(HDC dc);

  HWND Window() const;
  // Tells whoever goes on after handing a message to code that may free
  // this skin (the control's own handling, a program's handler), or holds
  // a skin it does not own, whether the skin still exists.
  TLiveness::Watch ObserveLife() const { return liveness_.Observe(); }
  TControl* Control() const { return control_; }
  TSkinData* SkinData() const { return skinData_; }
  TSkinForm* Form() const { return form_; }
  int GetLifeState() const { return lifeState_; }
  bool SkinActive() const { return skinActive_; }
  bool Hot() const { return (mouseState_ & kHot) != 0; }
  bool Pressed() const { return (mouseState_ & kPressed) != 0; }
  int GetBackgroundMode() const { return backgroundMode_; }

  // Adds DT_RTLREADING when the control reads right to left.
  UINT TextDirectionFlags(UINT format) const;

  // Caption helpers of every skinned control (the font and colour are the
  // DC's). A caption centred vertically (and across for DT_CENTER), in
  // clBtnShadow when disabled.
  void DrawCaptionText(HDC dc, const RECT& rect, UINT alignment, bool enabled, const std::wstring& text) const;
  // An optional image-list icon, then a one-line caption ended by an
  // ellipsis where it does not fit; alignment 0 left, 1 centre, 2 right.
  void DrawItemText(HDC dc, const RECT& rect, int alignment, const std::wstring& text, int imageIndex,
                    HIMAGELIST images) const;
  // The focus rectangle around the kept caption laid out in rect by format.
  void DrawCaptionFocus(HDC dc, UINT format, const RECT& rect) const;

 protected:
  static constexpr unsigned char kHot = 1;
  static constexpr unsigned char kPressed = 2;

  // True: the control's own handling runs, then AfterMessage.
  virtual bool BeforeMessage(TMessage& message);
  virtual void AfterMessage(TMessage& message);
  // Every descendant's drawing; rect is the window's rectangle at (0, 0).
  virtual void PaintSkin(HDC dc, const RECT& rect);
  // SKM_ENABLE switched skin handling on or off (SkinActive() tells which):
  // for what a skin shows outside the window's own painting.
  virtual void SkinActiveChanged();

  // Attach without taking over the control's messages (containers that keep
  // their own painting).
  void AttachWithoutHandler(TControl* control, TSkinData* data, TSkinForm* form, bool recolour);
  // WM_PAINT and WM_PRINTCLIENT: the DC from wParam, or a paint scope.
  void PaintHandler(TMessage& message);
  // For a skin that draws the whole control: erasing is swallowed, painting
  // and printing go to PaintSkin. True when the message was one of those.
  bool TakeOverPainting(TMessage& message);
  // The window's client rectangle; false without a window or when it is empty.
  bool NonEmptyClientRect(RECT& client) const;
  // The parent's background under the control (library control), or the
  // parent's colour; result 1.
  void EraseHandler(TMessage& message);
  void FillBackground(HDC dc, const RECT& rect) const;
  void FillParentColor(HDC dc, const RECT& rect) const;
  void SetParentBackground(bool attaching);
  // Raises the library control's mouse-down event for a button-down the
  // control's own handling does not see.
  void ForwardMouseDown(const TMessage& message);
  // Reads the state bytes from the window: enabled and focused.
  void RefreshWindowState();
  // The control's caption: its Caption property, or the window's text.
  std::wstring ReadCaption();
  // The control's font handle (library Font, else WM_GETFONT) and whether
  // its colour is known; colour is the font's colour for library controls.
  HFONT ControlFont(TColor* colour) const;
  void Notification(TComponent* component, Operation operation) override;

  unsigned char mouseState_ = 0;
  bool enabled_ = true;
  bool focused_ = false;
  std::wstring caption_;
  int backgroundMode_ = kOwnBackground;

 private:
  void RegisterAttachment(TSkinData* data, TSkinForm* form);
  void Unhook();

  bool skinActive_ = true;
  TSkinData* skinData_ = nullptr;
  TSkinForm* form_ = nullptr;
  TControl* control_ = nullptr;
  HWND window_ = nullptr;  // bare windows only
  TWindowProcHook controlHook_;
  TWindowSubclass windowLink_;
  RECT windowRect_{};
  bool recolour_ = false;
  int savedColour_ = 0;
  bool attached_ = false;
  int lifeState_ = kNotAttached;
  bool parentBackgroundForced_ = false;
  // WndProc watches it across the control's own handling.
  TLiveness liveness_;
};

// DrawSkinImage of the object's strip: its margins, horizontal frames, its
// middle tiled by Tile, transparent when Trans is 1.
void DrawSkinObject(HDC dc, const Rect& rect, int count, int index, const TDataSkinObject& object);

}  // namespace quonel
