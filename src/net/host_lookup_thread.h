// A host-name lookup that does not freeze the caller's window. The platform's
// lookup cannot be cancelled and may wait for a slow name server for many
// seconds, so it runs on a thread of its own. A caller that gives the wait up
// (an abort, a closed window, a deadline) leaves that thread behind; the
// lookup must therefore own everything it touches, and the thread frees it
// when the lookup returns.
#pragma once
#include <functional>

#include "net/thread_wait.h"

namespace quonel {

// Runs lookup on its own thread and waits for it in slices of
// kNetWaitSliceMs, calling pump between them (without a pump, in one wait).
// timeoutMs < 0 waits without limit. When no thread can be started, the
// lookup runs on the caller's thread.
TThreadWait RunLookupLeavable(std::function<void()> lookup, const TNetWaitPump& pump, int timeoutMs);

}  // namespace quonel
