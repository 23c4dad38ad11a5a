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

}  // namespace quonel
