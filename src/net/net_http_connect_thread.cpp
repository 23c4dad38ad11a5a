#include "net/net_http_connect_thread.h"

#include <algorithm>
#include <stdexcept>

#include "net/http_exceptions.h"
#include "net/thread_wait.h"

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
  const TThreadWait outcome = WaitForThread(thread_.Get(), std::max(timeoutMs, 0), pump);
  if (outcome == TThreadWait::GivenUp) throw ENetWaitAbandoned(L"Wait abandoned.");
  return outcome == TThreadWait::Finished;
}

void TNetConnectThread::WaitFor() {
  if (thread_) WaitForSingleObject(thread_.Get(), INFINITE);
}

}  // namespace quonel
