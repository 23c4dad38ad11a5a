// TSkinForm: the frame object the skin manager gives one top-level window (a
// form, a system dialog, a message box). It sits in front of the window's
// procedure through one subclass link, declares the window skinned (it
// answers SKM_ISSKINNED with 1), does its deferred set-up when SKM_INITFRAME
// arrives, and leaves the window at WM_NCDESTROY: then it is closed, and the
// manager, which owns it, frees it at its next purge.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/window_subclass.h"

namespace quonel {

class TSkinData;
class TCustomForm;

class TSkinForm {
 public:
  enum State { kAttached = 0, kReady = 1, kRefreshing = 3, kClosing = 4, kResizing = 5, kClosed = 6 };

  TSkinForm();
  virtual ~TSkinForm();  // detaches if still attached
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
  // A size grip being created inside this window (seen by the manager's hook).
  void TakeOverSizeGrip(HWND grip);
  const std::vector<HWND>& SizeGrips() const { return sizeGrips_; }

  HWND Window() const { return window_; }
  TSkinData* SkinData() const { return skinData_; }
  TCustomForm* Form() const { return form_; }
  const std::wstring& ClassName() const { return className_; }
  State GetState() const { return state_; }
  void SetState(State state) { state_ = state; }

 private:
  void HandleMessage(TMessage& message);
  // The last step of setting up and of a refresh: tell the window and the component.
  void AnnounceSkinned();

  TWindowSubclass link_;
  HWND window_ = nullptr;
  TSkinData* skinData_ = nullptr;
  TCustomForm* form_ = nullptr;
  std::wstring className_;
  State state_ = kAttached;
  bool mdiCaptionHidden_ = false;
  std::vector<HWND> sizeGrips_;
};

}  // namespace quonel
