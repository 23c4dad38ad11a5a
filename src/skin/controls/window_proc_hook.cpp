#include "skin/controls/window_proc_hook.h"

namespace quonel {

struct TWindowProcHook::Link {
  TWndMethod saved;
  Handler handler;
  bool active = true;
  int depth = 0;  // messages running through the relay
};

// What the control's WindowProc holds: shares the link, so that the saved
// method lives as long as anyone can still call it.
struct TWindowProcHook::Relay {
  std::shared_ptr<Link> link;
  void operator()(TMessage& message) const {
    const std::shared_ptr<Link> keep = link;
    struct Depth {
      Link& link;
      explicit Depth(Link& l) : link(l) { ++link.depth; }
      ~Depth() { --link.depth; }
    } depth(*keep);
    if (keep->active && keep->handler) keep->handler(message);
    else if (keep->saved) keep->saved(message);
  }
};

void TWindowProcHook::Install(TControl& control, Handler handler) {
  Remove();
  link_ = std::make_shared<Link>();
  link_->saved = control.WindowProc;
  link_->handler = std::move(handler);
  control_ = &control;
  control.WindowProc = Relay{link_};
}

void TWindowProcHook::PassThrough() {
  if (link_) link_->active = false;
}

void TWindowProcHook::Remove() {
  if (!link_) return;
  link_->active = false;
  if (control_ && link_->depth == 0) {
    const Relay* current = control_->WindowProc.target<Relay>();
    if (current && current->link == link_) control_->WindowProc = link_->saved;
  }
  link_.reset();
  control_ = nullptr;
}

bool TWindowProcHook::Dispatching() const { return link_ && link_->depth > 0; }

void TWindowProcHook::CallSaved(TMessage& message) const {
  if (link_ && link_->saved) link_->saved(message);
}

}  // namespace quonel
