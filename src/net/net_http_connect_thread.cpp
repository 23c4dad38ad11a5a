#include "net/net_http_connect_thread.h"

#include <algorithm>
#include <stdexcept>

#include "net/http_exceptions.h"

namespace quonel {

TNetConnectThread::TNetConnectThread(std::function<void()> connect) : connect_(std::move(connect)) {
  thread_.Reset(CreateThread(nullptr, 0, &TNetConnectThread::Run, this, 0, nullptr));
  if (!thread_) throw ENetException(L"Cannot start the connect thread.");
}

TNetConnectThread::~TNetConnectThread() {
  WaitFor();
}

DWORD WINAPI TNetConnectThread::Run(void* self) {
  auto* thread = static_cast<TNetConnectThread*>(self);
  try {
    thread->connect_();
  } catch (const ENetSocketError& e) {
    if (e.LastError() != 10009 && e.LastError() != 10038) thread->message_ = e.Message();
  } catch (const Exception& e) {
    thread->message_ = e.Message();
  } catch (const std::exception&) {
    thread->message_ = L"Connect failed.";
  }
  return 0;
}

bool TNetConnectThread::WaitFinished(int timeoutMs, const TNetWaitPump& pump) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
  const ULONGLONG longest = pump ? kNetWaitSliceMs : 125;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD step = now >= deadline ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(longest, deadline - now));
    // The wait ends early when the thread finishes within the step.
    if (WaitForSingleObject(thread_.Get(), step) == WAIT_OBJECT_0) return true;
    if (GetTickCount64() >= deadline) return false;
    if (pump && !pump()) throw ENetWaitAbandoned(L"Wait abandoned.");
  }
}

void TNetConnectThread::WaitFor() {
  if (thread_) WaitForSingleObject(thread_.Get(), INFINITE);
}

}  // namespace quonel
