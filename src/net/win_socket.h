// One client TCP connection over Windows Sockets 1.1: the blocking road of
// connecting, sending, receiving and closing, with the owning component told
// of every event and error through two callbacks.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "net/network_wait.h"
#include "net/tls_session.h"

namespace quonel {

// The platform socket handle, kept free of the platform headers.
using TSocket = uintptr_t;
constexpr TSocket kInvalidSocket = ~static_cast<TSocket>(0);

enum TClientType { ctNonBlocking = 0, ctBlocking = 1 };
enum TErrorEvent { eeGeneral = 0, eeSend, eeReceive, eeConnect, eeDisconnect, eeAccept, eeLookup };
enum TSocketEvent { seLookup = 0, seConnecting, seConnect, seDisconnect, seListen, seAccept, seWrite, seRead };
enum TLookupState { lsIdle = 0, lsLookupAddress, lsLookupService };

// Notification bits of the asynchronous mode; empty means blocking.
enum TAsyncStyle : unsigned { asRead = 1, asWrite = 2, asConnect = 16, asClose = 32 };
constexpr unsigned kNonBlockingStyles = asRead | asWrite | asConnect | asClose;

class TCustomWinSocket;
using TSocketEventCallback = std::function<void(TCustomWinSocket* socket, TSocketEvent event)>;
using TSocketErrorCallback =
    std::function<void(TCustomWinSocket* socket, TErrorEvent event, int32_t& errorCode)>;

class TCustomWinSocket {
 public:
  // The platform socket library (version 1.1) is started for this object
  // when it is given a socket, or when it first opens one: a socket object a
  // program makes but never opens loads no network stack.
  explicit TCustomWinSocket(TSocket handle);
  // Stops it again if started, after closing an open connection without telling the owner.
  virtual ~TCustomWinSocket();
  TCustomWinSocket(const TCustomWinSocket&) = delete;
  TCustomWinSocket& operator=(const TCustomWinSocket&) = delete;

  virtual void HandleAccept(TSocket socket);
  virtual void HandleConnect(TSocket socket);
  virtual void CloseConnection(TSocket socket);
  virtual void HandleRead(TSocket socket);
  virtual void HandleWrite(TSocket socket);
  virtual void NotifyEvent(TCustomWinSocket* socket, TSocketEvent event);
  virtual void NotifyError(TCustomWinSocket* socket, TErrorEvent event, int32_t& errorCode);

  // Host wins over address; a service name wins over port. Only the blocking
  // mode is built: an open with asynchronous styles raises.
  void OpenConnection(const std::string& host, const std::string& address,
                      const std::string& service, int port, bool blocking);
  void Close() { CloseConnection(socket_); }

  // One platform send, no loop; 0 when not connected, -1 after an error that
  // the error callback cleared.
  int SendBytes(const void* buffer, int count);
  int SendString(const std::string& text);
  // One platform receive; 0 once the peer has closed. A count of -1 asks for
  // the number of bytes waiting and reads nothing. With a wait pump it waits
  // for data in slices and gives -1 when the pump gives the wait up.
  int ReceiveBytes(void* buffer, int count);
  // Like ReceiveBytes, but the bytes stay waiting for the next receive.
  int PeekBytes(void* buffer, int count);

  // While a pump is set, no wait of this connection blocks the thread for
  // long: the connect and the receives wait in slices of kNetWaitSliceMs
  // with the pump called between them; a receive whose wait is given up
  // gives -1, a connect fails with the interrupted-call code (10004).
  void SetWaitPump(TNetWaitPump pump);

  // Encrypts the open connection from here on: the handshake's receives
  // wait like every other (with the pump, in slices), and afterwards the
  // sends, receives and peeks carry plain bytes through the TLS session.
  // Raises ETlsError or ETlsCertificateError, or like an interrupted
  // connect when the pump gives the wait up; the connection is closed then.
  // The encryption ends with the connection.
  void StartTls(const std::string& serverName);
  bool Encrypted() const { return tls_ != nullptr; }

  bool IsConnected() const { return connected_; }
  TSocket SocketHandle() const { return socket_; }
  unsigned AsyncStyles() const { return asyncStyles_; }
  void SetAsyncStyles(unsigned styles);
  TLookupState LookupState() const { return lookupState_; }
  // The peer's IPv4 address (network byte order) and port (host byte order).
  uint32_t PeerAddress() const { return peerAddress_; }
  int PeerPort() const { return peerPort_; }

  void SetOnSocketEvent(TSocketEventCallback callback) { onSocketEvent_ = std::move(callback); }
  void SetOnErrorEvent(TSocketErrorCallback callback) { onErrorEvent_ = std::move(callback); }

  // Re-entrant: send and receive close the connection while holding it.
  void Lock() { lock_.lock(); }
  void Unlock() { lock_.unlock(); }

  void* Data = nullptr;

 private:
  void ApplyAsyncStyles();
  void ResetAddress();
  int TransferFailed(TErrorEvent event, const char* api);
  int Receive(void* buffer, int count, int flags);
  int ReceiveRaw(void* buffer, int count, int flags);
  int SendRaw(const void* buffer, int count);
  // Waits for the connect to finish while pumping; false when the pump gave
  // up or the connection was closed meanwhile.
  bool ConnectedWhilePumping(TSocket handle);
  void ConnectPumping(TSocket handle, const void* peer, int length);
  // The host's first IPv4 address in network order, 0.0.0.0 when the name
  // does not resolve. With a pump the lookup cannot freeze the window; a
  // lookup the pump gives up raises like an interrupted connect.
  uint32_t LookUpHost(const std::string& host);
  void StartWinsock();

  TSocket socket_;
  bool connected_ = false;
  bool winsockStarted_ = false;
  uint32_t peerAddress_ = 0;
  int peerPort_ = 0;
  unsigned asyncStyles_ = kNonBlockingStyles;
  TNetWaitPump waitPump_;
  unsigned long receiveLimitMs_ = 0;  // the open socket's receive time limit
  TLookupState lookupState_ = lsIdle;
  TSocketEventCallback onSocketEvent_;
  TSocketErrorCallback onErrorEvent_;
  std::recursive_mutex lock_;
  std::unique_ptr<TTlsSession> tls_;
  // A session whose connection closed, perhaps from inside its own call:
  // it lives until the next connection or the object's end.
  std::unique_ptr<TTlsSession> closedTls_;
};

class TClientWinSocket : public TCustomWinSocket {
 public:
  using TCustomWinSocket::TCustomWinSocket;
  TClientType ClientType() const { return clientType_; }
  // Raises while connected; blocking means no notification styles.
  void SetClientType(TClientType value);
  void HandleConnect(TSocket socket) override;

 private:
  TClientType clientType_ = ctNonBlocking;
};

}  // namespace quonel
