#include "net/thread_wait.h"

#include <algorithm>

namespace quonel {

TThreadWait WaitForThread(HANDLE thread, int timeoutMs, const TNetWaitPump& pump) {
  const bool limited = timeoutMs >= 0;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
  for (;;) {
    DWORD step = pump ? kNetWaitSliceMs : INFINITE;
    if (limited) {
      const ULONGLONG now = GetTickCount64();
      const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, INFINITE - 1));
      step = std::min(step, left);
    }
    // The wait ends early when the thread finishes within the step.
    if (WaitForSingleObject(thread, step) == WAIT_OBJECT_0) return TThreadWait::Finished;
    if (limited && GetTickCount64() >= deadline) return TThreadWait::TimedOut;
    if (pump && !pump()) return TThreadWait::GivenUp;
  }
}

}  // namespace quonel
