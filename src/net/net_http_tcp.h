// A TCP connection with an input buffer for lines and counted reads, and the
// client side that connects it to a host and port with a time limit.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "net/http_line_reader.h"
#include "net/net_http_component.h"
#include "net/net_http_socket.h"

namespace quonel {

class TNetTCPConnection : public TNetComponent, protected NetByteSource {
 public:
  explicit TNetTCPConnection(TComponent* owner);
  ~TNetTCPConnection() override;
  const wchar_t* ClassName() const override { return L"TNetTCPConnection"; }

  TNetIOHandler* IOHandler() const { return ioHandler_; }
  // A channel set here is not freed by the connection.
  void SetIOHandler(TNetIOHandler* handler);

  // Applies a peer close seen by an earlier read, then reports whether a
  // channel with an open socket exists.
  bool Connected();
  // hsDisconnecting; closes the socket; frees a channel the connection
  // created; the disconnected notification; hsDisconnected.
  virtual void Disconnect();

  std::string ReadLn() { return input_.ReadLn(); }
  // Sends all of data; ENetNotConnected without a connection.
  void Write(const std::string& data);
  NetInputBuffer& InputBuffer() { return input_; }

  int ReadTimeout() const { return input_.ReadTimeout; }
  void SetReadTimeout(int ms) { input_.ReadTimeout = ms; }
  int MaxLineLength() const { return input_.MaxLineLength; }
  void SetMaxLineLength(int length) { input_.MaxLineLength = length; }
  TNetMaxLineAction MaxLineAction() const { return input_.MaxLineAction; }
  void SetMaxLineAction(TNetMaxLineAction action) { input_.MaxLineAction = action; }
  int RecvBufferSize() const { return static_cast<int>(input_.RecvBufferSize); }
  void SetRecvBufferSize(int size) { input_.RecvBufferSize = static_cast<size_t>(size > 0 ? size : 32768); }
  int SendBufferSize = 32768;  // stored with the settings; a request goes out in one send

  TNetStatusEvent OnStatus;
  std::function<void()> OnConnected, OnDisconnected;
  // While set, no wait of the connection blocks the thread: the connect and
  // every read wait in slices of kNetWaitSliceMs with the pump called between
  // them. It may close the connection (ENetClosedSocket then); when it
  // returns false the wait ends in ENetWaitAbandoned.
  TNetWaitPump WaitPump;

 protected:
  void DoStatus(TNetStatus status, const std::string& text) {
    if (OnStatus) OnStatus(status, text);
  }
  void Notification(TComponent* component, Operation operation) override;
  size_t Receive(char* buffer, size_t capacity, int timeoutMs) override;
  // Closes the socket after a peer close and runs the disconnected notification.
  void ClosePeerClosedSocket();
  // Every wait ends by this monotonic time in ms (0: no such bound), with
  // ENetReadTimeout "Read Timeout".
  void SetWaitDeadline(uint64_t deadlineMs) { waitDeadline_ = deadlineMs; }
  // timeoutMs (0: without limit) cut to what is left before the deadline;
  // raises "Read Timeout" when nothing is left.
  int LimitedByDeadline(int timeoutMs) const;
  // Frees a channel this connection created; deferred while a wait of the
  // channel itself is running (a handler the pump ran closed it).
  void FreeOwnedHandler();
  bool OwnsIOHandler() const { return freeIOHandlerOnDisconnect_; }

  TNetIOHandler* ioHandler_ = nullptr;
  bool freeIOHandlerOnDisconnect_ = false;
  bool peerCloseSeen_ = false;
  int channelWaits_ = 0;          // waits running inside the channel's own calls
  bool freeWhenWaitsEnd_ = false;  // it was disconnected meanwhile
  uint64_t waitDeadline_ = 0;
  NetInputBuffer input_{*this};

 private:
  // Receives in slices of one wait each, pumping between them; raises on
  // the time-out, an abandoned wait or a close by a handler the pump ran.
  int ReceivePumping(char* buffer, int count, int timeoutMs, int* error);
  // Calls the pump; raises when it gives the wait up or closed the connection.
  void Serve();
  uint64_t lastServedMs_ = 0;
};

class TNetTCPClient : public TNetTCPConnection {
 public:
  using TNetTCPConnection::TNetTCPConnection;
  const wchar_t* ClassName() const override { return L"TNetTCPClient"; }

  // Connects to Host:Port within timeoutMs (-1 or 0: without limit).
  void Connect(int timeoutMs);

  std::string Host;
  int Port = 0;
  std::string BoundIP;
  int BoundPort = 0, BoundPortMin = 0, BoundPortMax = 0;
  // Not empty: the channel this client creates encrypts, and the server's
  // certificate must carry this name.
  std::string TlsServerName;
  // With TlsServerName: "host:port" when Host is a proxy that must open a
  // tunnel (CONNECT) to the server first, and its Proxy-Authorization value.
  std::string TlsTunnel, TlsTunnelAuthorization;
};

}  // namespace quonel
