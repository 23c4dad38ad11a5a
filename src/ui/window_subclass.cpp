#include "ui/window_subclass.h"

#include <memory>
#include <vector>

#include "ui/objects_by_window.h"
#include "ui/win_control.h"

namespace quonel {

struct SubclassChain;

// A link's place in its chain. It outlives the link while messages are in
// flight, so that they can step over it.
struct SubclassNode {
  TWindowSubclass* link;  // nullptr once the link left
  SubclassChain* chain;
};

namespace {

LRESULT CALLBACK ChainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// The chains by window. comctl32's subclassing would do the chaining too, but
// under Wine it looks its chain up in a window property on every message,
// which is a round trip to the server.
ObjectsByWindow<SubclassChain>& Chains() {
  static ObjectsByWindow<SubclassChain> table;
  return table;
}

// Where a message is: the link whose handler runs and its position in the
// chain. The frames of a thread form a stack through nested messages, and
// CallNext finds its own as the innermost one of its link.
struct Frame {
  TWindowSubclass* link;
  SubclassChain* chain;
  size_t index;
  Frame* outer;
};
thread_local Frame* innermost = nullptr;

WNDPROC CurrentProc(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

}  // namespace

struct SubclassChain {
  HWND window = nullptr;
  WNDPROC original = nullptr;
  // Oldest first. Nodes are only dropped while no message is in flight, so
  // positions held by frames stay valid.
  std::vector<std::unique_ptr<SubclassNode>> nodes;
  int depth = 0;           // messages in flight through the chain
  bool destroyed = false;  // WM_NCDESTROY went through: no window any more

  // Runs message through the links below position below, then the window's procedure.
  void Dispatch(size_t below, TMessage& message) {
    for (size_t index = below; index-- > 0;) {
      TWindowSubclass* link = nodes[index]->link;
      if (!link) continue;
      Frame frame{link, this, index, innermost};
      innermost = &frame;
      struct Pop {
        Frame& frame;
        ~Pop() { innermost = frame.outer; }
      } pop{frame};
      if (link->handler_) link->handler_(*link, message);
      else Dispatch(index, message);
      return;
    }
    if (!destroyed)
      message.Result = CallWindowProcW(original, window, message.Msg, message.WParam, message.LParam);
  }

  // The window is going: every link leaves, newest first, and hears of it.
  void WindowGone() {
    destroyed = true;
    Chains().Remove(window);
    if (CurrentProc(window) == ChainProc) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    for (size_t index = nodes.size(); index-- > 0;) {
      TWindowSubclass* link = nodes[index]->link;
      if (!link) continue;
      nodes[index]->link = nullptr;
      link->node_ = nullptr;
      // A copy: the owner may delete itself, and the callback with it.
      if (auto detached = link->OnDetached) detached();
    }
  }

  // With no message in flight: drops the nodes of links that left, and when
  // none is left gives the window its procedure back - unless someone put
  // theirs on top of ours, who still calls us; then we stay as a pass-through.
  // May delete the chain.
  void Settle() {
    std::erase_if(nodes, [](const std::unique_ptr<SubclassNode>& node) { return node->link == nullptr; });
    if (!nodes.empty()) return;
    if (!destroyed) {
      if (CurrentProc(window) != ChainProc) return;
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      Chains().Remove(window);
    }
    delete this;
  }
};

namespace {

// Holds the chain while a message is in it.
class InFlight {
 public:
  explicit InFlight(SubclassChain& chain) : chain_(chain) { ++chain_.depth; }
  ~InFlight() {
    if (--chain_.depth == 0) chain_.Settle();
  }
  InFlight(const InFlight&) = delete;
  InFlight& operator=(const InFlight&) = delete;

 private:
  SubclassChain& chain_;
};

LRESULT CALLBACK ChainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  SubclassChain* chain = Chains().Find(window);
  if (!chain) return DefWindowProcW(window, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  InFlight inFlight(*chain);
  // As in the library's own window procedure: an exception must not cross
  // the platform; it ends the action and the application reports it.
  try {
    chain->Dispatch(chain->nodes.size(), message);
  } catch (...) {
    HandleEscapedException();
  }
  if (msg == WM_NCDESTROY) {
    try {
      chain->WindowGone();
    } catch (...) {
      HandleEscapedException();
    }
  }
  return message.Result;
}

}  // namespace

TWindowSubclass::TWindowSubclass(Handler handler) : handler_(std::move(handler)) {}

TWindowSubclass::~TWindowSubclass() { Detach(); }

void TWindowSubclass::SetHandler(Handler handler) { handler_ = std::move(handler); }

HWND TWindowSubclass::Window() const { return node_ ? node_->chain->window : nullptr; }

bool TWindowSubclass::Attach(HWND window) {
  DWORD process = 0;
  if (!IsWindow(window) || !GetWindowThreadProcessId(window, &process) || process != GetCurrentProcessId())
    return false;
  if (Window() == window) return false;
  Detach();
  SubclassChain* chain = Chains().Find(window);
  if (!chain) {
    chain = new SubclassChain;
    chain->window = window;
    SetLastError(0);
    const LONG_PTR previous = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainProc));
    if (!previous && GetLastError() != 0) {
      delete chain;
      return false;
    }
    chain->original = reinterpret_cast<WNDPROC>(previous);
    Chains().Add(window, chain);
  }
  chain->nodes.push_back(std::make_unique<SubclassNode>(SubclassNode{this, chain}));
  node_ = chain->nodes.back().get();
  return true;
}

void TWindowSubclass::Detach() {
  if (!node_) return;
  SubclassChain* chain = node_->chain;
  node_->link = nullptr;
  node_ = nullptr;
  if (chain->depth == 0) chain->Settle();
}

void TWindowSubclass::CallNext(TMessage& message) {
  for (Frame* frame = innermost; frame; frame = frame->outer) {
    if (frame->link == this) {
      frame->chain->Dispatch(frame->index, message);
      return;
    }
  }
  if (!node_) {
    message.Result = 0;
    return;
  }
  SubclassChain& chain = *node_->chain;
  size_t index = 0;
  while (chain.nodes[index].get() != node_) ++index;
  InFlight inFlight(chain);
  chain.Dispatch(index, message);
}

}  // namespace quonel
