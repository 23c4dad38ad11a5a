// A wait for the network that must not freeze the caller's window. The
// waiter waits in short slices and calls the pump between them; the pump
// processes the window's messages and returns false when the wait is to be
// given up (the transfer was aborted, the window closed, a deadline passed).
#pragma once
#include <functional>

namespace quonel {

using TNetWaitPump = std::function<bool()>;

// Short enough that a click or a repaint is answered without a visible delay,
// long enough that an idle wait costs next to nothing.
inline constexpr int kNetWaitSliceMs = 30;

// Data that keeps arriving is no wait, but a long body must not keep the
// window waiting either: the pump is called at least this often meanwhile.
inline constexpr int kNetServeIntervalMs = 15;

}  // namespace quonel
