#include "net/host_lookup_thread.h"

#include <windows.h>

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

TThreadWait RunLookupLeavable(std::function<void()> lookup, const TNetWaitPump& pump, int timeoutMs) {
  auto owned = std::make_unique<std::function<void()>>(std::move(lookup));
  OwnedKernelHandle thread(CreateThread(nullptr, 0, &RunLookup, owned.get(), 0, nullptr));
  if (!thread) {
    (*owned)();
    return TThreadWait::Finished;
  }
  owned.release();
  return WaitForThread(thread.Get(), timeoutMs, pump);
}

}  // namespace quonel
