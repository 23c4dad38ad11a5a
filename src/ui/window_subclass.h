// TWindowSubclass: a handler put in front of any window's procedure - a
// window of the library, a message box, a popup menu, the header of a list
// view, a control hosted for someone else. The links on one window form a
// chain: the newest sees a message first and passes it on with CallNext,
// down to the procedure the window had before the first link. Links leave
// in any order, also from inside a handler while messages are nested; all
// leave at WM_NCDESTROY, after the message has been through the whole chain.
//
// A window has its procedure replaced once, whatever the number of links;
// the process keeps a table from window to chain, so a message costs one
// hash lookup and no trip to the window server. When the last link leaves,
// the window gets its own procedure back unless someone replaced it after us.
//
// Links are used from the thread the window belongs to.
#pragma once
#include <windows.h>

#include <functional>

#include "ui/messages.h"

namespace quonel {

class TWindowSubclass {
 public:
  using Handler = std::function<void(TWindowSubclass& link, TMessage& message)>;

  TWindowSubclass() = default;
  explicit TWindowSubclass(Handler handler);
  // Detaches: a link may be destroyed at any time, also while a message is
  // in flight below it.
  ~TWindowSubclass();
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Not while the handler itself is running.
  void SetHandler(Handler handler);
  // Puts the link on top of window's chain (leaving the window it was on).
  // False when the window is not a window of this process or this link is
  // on it already.
  bool Attach(HWND window);
  // Takes the link off its window; the handler is not called again. Messages
  // in flight through the link still go on to the links below it.
  void Detach();
  bool Attached() const { return node_ != nullptr; }
  HWND Window() const;

  // From the handler: passes the message on to the next link down, finally
  // to the window's own procedure, and sets message.Result. Outside a
  // handler it sends the message to the links below this one.
  void CallNext(TMessage& message);

  // Called once when the window's destruction took the link off (after
  // WM_NCDESTROY); the owner may delete itself here.
  std::function<void()> OnDetached;

 private:
  friend struct SubclassChain;
  friend struct SubclassNode;
  Handler handler_;
  struct SubclassNode* node_ = nullptr;
};

}  // namespace quonel
