// TSkinForm: the frame object the skin manager gives one top-level window (a
// form, a system dialog, a message box). It sits in front of the window's
// procedure through one subclass link, declares the window skinned (it
// answers SKM_ISSKINNED with 1), does its deferred set-up when SKM_INITFRAME
// arrives, and from then on draws the window's frame from the skin: borders,
// caption strip, caption buttons and caption text, the window's shape, the
// system menu (SkinnedFrame does the work). It leaves the window at
// WM_NCDESTROY: then it is closed, and the manager, which owns it, frees it
// at its next purge.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/component.h"
#include "skin/frame/skinned_frame.h"

namespace quonel {

class TSkinData;
class TCustomForm;

// A component without owner (the manager owns it), so that the program's
// handlers get it as their Sender.
class TSkinForm : public TComponent {
 public:
  enum State { kAttached = 0, kReady = 1, kRefreshing = 3, kClosing = 4, kResizing = 5, kClosed = 6 };

  TSkinForm();
  ~TSkinForm() override;  // detaches if still attached
  const wchar_t* ClassName() const override { return L"TSkinForm"; }
  TSkinForm(const TSkinForm&) = delete;
  TSkinForm& operator=(const TSkinForm&) = delete;

  // Once, right after creation by the manager; form is null for a bare window.
  void AttachWindow(HWND window, TSkinData* data, TCustomForm* form);
  // On SKM_INITFRAME.
  void InitFrame();
  // After a new skin (manager command 3).
  void RefreshSkin();
  // The window gets its own look back (manager commands 2 and 7); the object is then closed.
  void DetachWindow();
  // An MDI child's own caption hides while the children are maximised.
  void SetMdiCaptionHidden(bool hidden);
  bool MdiCaptionHidden() const { return mdiCaptionHidden_; }
  // Draws the frame (on the window, or into a whole-window DC).
  void PaintNonClient(HDC dc = nullptr) { frame_.PaintNonClient(dc); }
  // A size grip being created inside this window (seen by the manager's
  // hook): skinned at once, by its creation style.
  void TakeOverSizeGrip(HWND grip, DWORD style);
  const std::vector<HWND>& SizeGrips() const { return sizeGrips_; }

  HWND Window() const { return frame_.Window(); }
  TSkinData* SkinData() const { return frame_.SkinData(); }
  TCustomForm* Form() const { return frame_.Form(); }
  // The window's class name (ClassName is the component's).
  const std::wstring& WindowClassName() const { return frame_.ClassName(); }
  State GetState() const { return static_cast<State>(frame_.State()); }
  void SetState(State state) { frame_.SetState(static_cast<FrameState>(state)); }
  // The frame's parts, for whoever draws or tests them.
  SkinnedFrame& Frame() { return frame_; }
  const SkinnedFrame& Frame() const { return frame_; }

 private:
  SkinnedFrame frame_;
  bool mdiCaptionHidden_ = false;
  std::vector<HWND> sizeGrips_;
};

}  // namespace quonel
