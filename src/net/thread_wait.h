// Waiting for a worker thread of the network layers without freezing the
// caller's window: in slices of kNetWaitSliceMs with the pump called between
// them, or in one wait when there is no pump.
#pragma once
#include <windows.h>

#include "net/network_wait.h"

namespace quonel {

enum class TThreadWait { Finished, GivenUp, TimedOut };

// timeoutMs < 0 waits without limit.
TThreadWait WaitForThread(HANDLE thread, int timeoutMs, const TNetWaitPump& pump);

}  // namespace quonel
