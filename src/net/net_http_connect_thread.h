// A connect with a time limit: a thread performs the blocking connect while
// the caller waits for it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "core/win32_owners.h"
#include "net/network_wait.h"

namespace quonel {

class TNetConnectThread {
 public:
  // Starts the thread at once; connect raises on failure.
  explicit TNetConnectThread(std::function<void()> connect);
  // Waits for the thread before the handle is released.
  ~TNetConnectThread();
  TNetConnectThread(const TNetConnectThread&) = delete;
  TNetConnectThread& operator=(const TNetConnectThread&) = delete;

  // Waits up to timeoutMs (in slices of kNetWaitSliceMs with a pump, called
  // between them); true when the thread has finished. Raises
  // ENetWaitAbandoned when the pump gives up.
  bool WaitFinished(int timeoutMs, const TNetWaitPump& pump = nullptr);
  void WaitFor();
  // The message of the exception the connect met, "" when none (codes 10009
  // and 10038 mean the socket was closed under it and are not recorded).
  const std::wstring& ExceptionMessage() const { return message_; }

 private:
  static DWORD WINAPI Run(void* self);

  std::function<void()> connect_;
  std::wstring message_;
  OwnedKernelHandle thread_;
};

}  // namespace quonel
