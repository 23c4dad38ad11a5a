// Timed reading from a blocking connection: wait for data with a time limit,
// then read through the platform's overlapped file calls on the socket handle.
#pragma once
#include <cstdint>

#include "core/win32_owners.h"
#include "net/win_socket.h"

namespace quonel {

class TWinSocketStream {
 public:
  // Raises "Socket must be in blocking mode" over an asynchronous socket.
  TWinSocketStream(TCustomWinSocket& socket, int32_t timeoutMs);
  ~TWinSocketStream();
  TWinSocketStream(const TWinSocketStream&) = delete;
  TWinSocketStream& operator=(const TWinSocketStream&) = delete;

  // True when data has arrived or the peer closed or reset the connection;
  // false on time-out and on a failed wait.
  bool WaitReadable(int32_t timeoutMs);
  // At most count bytes; 0 when nothing came within the time-out or the peer
  // closed. A read that timed out is cancelled before this returns, so the
  // platform never writes into the buffer afterwards.
  int Read(void* buffer, int count);
  int Write(const void* buffer, int count);
  int64_t Seek(int64_t, int) { return 0; }
  int32_t TimeOut() const { return timeoutMs_; }

 private:
  int Transfer(void* buffer, int count, bool reading);

  TCustomWinSocket& socket_;
  int32_t timeoutMs_;
  OwnedKernelHandle event_;  // manual-reset
};

}  // namespace quonel
