#include "net/host_lookup_thread.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "core/win32_owners.h"

namespace quonel {
namespace {

DWORD WINAPI RunLookup(void* parameter) {
  // The thread owns the lookup from here on, whether or not anyone still waits.
  std::unique_ptr<std::function<void()>> lookup(static_cast<std::function<void()>*>(parameter));
  (*lookup)();
  return 0;
}

}  // namespace

TLookupWait RunLookupLeavable(std::function<void()> lookup, const TNetWaitPump& pump, int timeoutMs) {
  auto owned = std::make_unique<std::function<void()>>(std::move(lookup));
  OwnedKernelHandle thread(CreateThread(nullptr, 0, &RunLookup, owned.get(), 0, nullptr));
  if (!thread) {
    (*owned)();
    return TLookupWait::Finished;
  }
  owned.release();
  const bool limited = timeoutMs >= 0;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
  for (;;) {
    DWORD step = pump ? kNetWaitSliceMs : INFINITE;
    if (limited) {
      const ULONGLONG now = GetTickCount64();
      const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, INFINITE - 1));
      step = std::min(step, left);
    }
    if (WaitForSingleObject(thread.Get(), step) == WAIT_OBJECT_0) return TLookupWait::Finished;
    if (limited && GetTickCount64() >= deadline) return TLookupWait::TimedOut;
    if (pump && !pump()) return TLookupWait::GivenUp;
  }
}

}  // namespace quonel
