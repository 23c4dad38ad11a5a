// The connection's byte channel: a socket handle, and the I/O handler that
// owns one and connects it (with a time limit on a connect thread).
#pragma once
#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "net/net_http_component.h"
#include "net/network_wait.h"

namespace quonel {

class TNetSocketHandle {
 public:
  TNetSocketHandle() = default;
  ~TNetSocketHandle() { CloseSocket(); }
  TNetSocketHandle(const TNetSocketHandle&) = delete;
  TNetSocketHandle& operator=(const TNetSocketHandle&) = delete;

  // A new stream socket; ENetInvalidSocket "Cannot allocate socket." on failure.
  void AllocateSocket();
  // Binds to address:port, or to the first free port of portMin..portMax
  // when port is 0 and a range is given.
  void Bind(const std::string& address, int port, int portMin, int portMax);
  // Blocking connect; raises the socket error.
  void Connect(uint32_t address, uint16_t port);
  // Shuts sending down and closes; safe to call twice and from another thread.
  void CloseSocket();
  bool HandleAllocated() const { return handle_ != INVALID_SOCKET; }
  SOCKET Handle() const { return handle_; }

 private:
  // Closed from the calling thread while the connect thread uses it.
  std::atomic<SOCKET> handle_{INVALID_SOCKET};
};

// The byte channel of a connection.
class TNetIOHandler : public TNetComponent {
 public:
  using TNetComponent::TNetComponent;
  const wchar_t* ClassName() const override { return L"TNetIOHandler"; }
  // Connects within timeoutMs; with a pump, the wait calls it between slices
  // (ENetWaitAbandoned when it gives up).
  virtual void ConnectClient(const std::string& host, int port, int timeoutMs, const TNetStatusEvent& status,
                             const TNetWaitPump& pump) = 0;
  virtual bool Connected() const = 0;
  virtual void Close() = 0;
  // Waits at most timeoutMs (-2: without limit) for data and reads it: the
  // count, 0 when the peer closed, -1 with the error code in *error (10060
  // when nothing arrived in time).
  virtual int Recv(char* buffer, int count, int timeoutMs, int* error) = 0;
  virtual int Send(const char* data, int count, int* error) = 0;
  // Readable within timeoutMs (-2: without limit).
  virtual bool Readable(int timeoutMs) = 0;
  // Whether this channel encrypts; the program has no such channel.
  virtual bool Encrypted() const { return false; }
};

class TNetIOHandlerSocket : public TNetIOHandler {
 public:
  using TNetIOHandler::TNetIOHandler;
  const wchar_t* ClassName() const override { return L"TNetIOHandlerSocket"; }
  void ConnectClient(const std::string& host, int port, int timeoutMs, const TNetStatusEvent& status,
                     const TNetWaitPump& pump) override;
  bool Connected() const override { return binding_ && binding_->HandleAllocated(); }
  void Close() override;
  int Recv(char* buffer, int count, int timeoutMs, int* error) override;
  int Send(const char* data, int count, int* error) override;
  bool Readable(int timeoutMs) override;

  std::string BoundIP;
  int BoundPort = 0, BoundPortMin = 0, BoundPortMax = 0;

 private:
  std::unique_ptr<TNetSocketHandle> binding_ = std::make_unique<TNetSocketHandle>();
  int receiveTimeLimit_ = 0;  // the socket's SO_RCVTIMEO, 0 = none
};

// "LOCALHOST" is 127.0.0.1, a dotted address is used as it is, anything
// else is looked up; the address is in network order. With a pump or a
// time limit (timeoutMs > 0) the lookup waits like a connect: in slices,
// given up with ENetWaitAbandoned or ENetConnectTimeout.
uint32_t ResolveHostAddress(const std::string& host, const TNetStatusEvent& status,
                            const TNetWaitPump& pump = nullptr, int timeoutMs = 0);
std::string AddressText(uint32_t address);

}  // namespace quonel
