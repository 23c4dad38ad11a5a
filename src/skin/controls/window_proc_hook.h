// A handler put in front of a library control's WindowProc. Taking it off
// gives the control its saved method back only when the control still calls
// ours and no message is running through it; otherwise the hook stays in
// the control's chain as a pass-through, so that a handler installed later,
// which saved ours, keeps working, and nothing is written into a control in
// the middle of one of its own messages.
#pragma once
#include <functional>
#include <memory>

#include "ui/control.h"

namespace quonel {

class TWindowProcHook {
 public:
  using Handler = std::function<void(TMessage& message)>;

  TWindowProcHook() = default;
  ~TWindowProcHook() { Remove(); }
  TWindowProcHook(const TWindowProcHook&) = delete;
  TWindowProcHook& operator=(const TWindowProcHook&) = delete;

  void Install(TControl& control, Handler handler);
  void Remove();
  // The control is gone: let go of it without touching it.
  void Forget() { control_ = nullptr; }
  // Stops calling the handler; messages go straight to the saved method.
  void PassThrough();
  bool Installed() const { return link_ != nullptr; }
  // A message of the control is running through the hook.
  bool Dispatching() const;
  // Runs the method the control had before the hook.
  void CallSaved(TMessage& message) const;

 private:
  struct Link;
  struct Relay;
  TControl* control_ = nullptr;
  std::shared_ptr<Link> link_;
};

}  // namespace quonel
