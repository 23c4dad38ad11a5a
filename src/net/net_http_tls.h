// The HTTP client's encrypted byte channel: the socket channel with a TLS
// session over it, opened by the connect and torn down by the close.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "net/net_http_socket.h"
#include "net/tls_session.h"

namespace quonel {

class TNetIOHandlerTls : public TNetIOHandlerSocket {
 public:
  using TNetIOHandlerSocket::TNetIOHandlerSocket;
  ~TNetIOHandlerTls() override;
  const wchar_t* ClassName() const override { return L"TNetIOHandlerTls"; }

  // Connects, then shakes hands within what is left of timeoutMs, the pump
  // called between slices as in every other wait. Raises ETlsError or
  // ETlsCertificateError when the server or its certificate is refused.
  void ConnectClient(const std::string& host, int port, int timeoutMs, const TNetStatusEvent& status,
                     const TNetWaitPump& pump) override;
  void Close() override;
  int Recv(char* buffer, int count, int timeoutMs, int* error) override;
  int Send(const char* data, int count, int* error) override;
  bool Readable(int timeoutMs) override;
  bool Encrypted() const override { return true; }

  // The name the certificate must carry; the connect's host when empty.
  std::string ServerName;
  // Not empty ("host:port"): the connect reaches a proxy, which is asked
  // with CONNECT for a tunnel to this before the handshake; with the
  // Proxy-Authorization value when that is not empty.
  std::string Tunnel;
  std::string TunnelAuthorization;

 private:
  // Runs a call of the session; a TLS failure closes the channel before it
  // is raised.
  int ClosedOnFailure(const std::function<int()>& call);
  // Waits for raw bytes as the handshake does: the pump between slices,
  // ENetConnectTimeout at the deadline.
  void AwaitRaw(uint64_t deadline, const TNetWaitPump& pump, const std::function<bool()>& step);
  void OpenTunnel(uint64_t deadline, const TNetWaitPump& pump);

  std::unique_ptr<TTlsSession> session_;
  int rawLimitMs_ = -2;       // the wait of the raw receive now running
  uint64_t rawDeadline_ = 0;  // when the current Recv's wait ends; 0: none
  int rawError_ = 0;          // the socket error behind a receive that gave -1
};

}  // namespace quonel
