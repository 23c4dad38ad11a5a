#include "net/win_socket.h"

#include <winsock.h>
#include <windows.h>

#include <memory>

#include "net/host_lookup_thread.h"
#include "net/socket_error.h"

namespace quonel {
namespace {

SOCKET Native(TSocket socket) { return static_cast<SOCKET>(socket); }

}  // namespace

TCustomWinSocket::TCustomWinSocket(TSocket handle) : socket_(handle) {
  if (handle != kInvalidSocket) StartWinsock();
  ResetAddress();
}

// Under Wine starting the library loads five DLLs, a millisecond and a half
// that a program showing its first window would otherwise wait for.
void TCustomWinSocket::StartWinsock() {
  if (winsockStarted_) return;
  WSADATA data;
  const int result = WSAStartup(0x0101, &data);
  if (result != 0) RaiseSocketError(result, "WSAStartup");
  winsockStarted_ = true;
}

TCustomWinSocket::~TCustomWinSocket() {
  // The owner is going away: it must not hear of this last disconnect.
  onSocketEvent_ = nullptr;
  onErrorEvent_ = nullptr;
  try {
    if (connected_ && socket_ != kInvalidSocket) CloseConnection(socket_);
  } catch (const Exception&) {
    // A destructor cannot report a failed close; the handle is gone either way.
  }
  // A failed stop cannot be raised from a destructor; the library stays counted.
  if (winsockStarted_) WSACleanup();
}

void TCustomWinSocket::HandleAccept(TSocket) {}
void TCustomWinSocket::HandleConnect(TSocket) {}
void TCustomWinSocket::HandleRead(TSocket) {}
void TCustomWinSocket::HandleWrite(TSocket) {}

void TCustomWinSocket::NotifyEvent(TCustomWinSocket* socket, TSocketEvent event) {
  if (onSocketEvent_) onSocketEvent_(socket, event);
}

void TCustomWinSocket::NotifyError(TCustomWinSocket* socket, TErrorEvent event, int32_t& errorCode) {
  if (onErrorEvent_) onErrorEvent_(socket, event, errorCode);
}

void TCustomWinSocket::ResetAddress() {
  peerAddress_ = 0;
  peerPort_ = 0;
}

void TCustomWinSocket::SetAsyncStyles(unsigned styles) {
  if (styles == asyncStyles_) return;
  asyncStyles_ = styles;
  if (socket_ != kInvalidSocket) ApplyAsyncStyles();
}

void TCustomWinSocket::ApplyAsyncStyles() {
  // No notification is ever registered (the asynchronous mode is not built),
  // so switching to blocking only sets the non-blocking flag: cleared, unless
  // a wait pump does the waiting.
  if (asyncStyles_ == 0) {
    u_long nonBlocking = 0;
    ioctlsocket(Native(socket_), FIONBIO, &nonBlocking);
    // A receive waits one slice at most, so that the pump runs between slices.
    // (A select with a time limit wakes late under Wine: milliseconds per wait.)
    const DWORD limit = waitPump_ ? kNetWaitSliceMs : 0;
    if (limit != receiveLimitMs_) {
      setsockopt(Native(socket_), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limit), sizeof limit);
      receiveLimitMs_ = limit;
    }
  }
}

void TCustomWinSocket::SetWaitPump(TNetWaitPump pump) {
  waitPump_ = std::move(pump);
  if (socket_ != kInvalidSocket) ApplyAsyncStyles();
}

bool TCustomWinSocket::ConnectedWhilePumping(TSocket handle) {
  for (;;) {
    fd_set ready, failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(Native(handle), &ready);
    FD_SET(Native(handle), &failed);
    timeval slice = {0, kNetWaitSliceMs * 1000};
    // A failed select is reported through the socket's pending error.
    if (select(0, nullptr, &ready, &failed, &slice) != 0) return true;
    // The pump may close this connection (an abort handler): look again after it.
    if (!waitPump_() || socket_ != handle) return false;
  }
}

void TCustomWinSocket::ConnectPumping(TSocket handle, const void* peer, int length) {
  // The connect alone does not block; the receives wait in slices instead.
  u_long nonBlocking = 1;
  ioctlsocket(Native(handle), FIONBIO, &nonBlocking);
  const int result = connect(Native(handle), static_cast<const sockaddr*>(peer), length);
  if (result != 0 && WSAGetLastError() != WSAEWOULDBLOCK) CheckSocketCall(SOCKET_ERROR, "connect");
  if (result != 0 && !ConnectedWhilePumping(handle)) {
    WSASetLastError(WSAEINTR);
    CheckSocketCall(SOCKET_ERROR, "connect");
  }
  nonBlocking = 0;
  ioctlsocket(Native(handle), FIONBIO, &nonBlocking);
  // A refused or unreachable peer shows as the socket's pending error.
  int code = 0;
  int size = sizeof code;
  getsockopt(Native(handle), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&code), &size);
  if (code != 0) {
    WSASetLastError(code);
    CheckSocketCall(SOCKET_ERROR, "connect");
  }
}

uint32_t TCustomWinSocket::LookUpHost(const std::string& host) {
  // Shared with the lookup's thread, which may outlive this wait.
  auto found = std::make_shared<uint32_t>(INADDR_ANY);
  auto lookup = [found, host] {
    const hostent* entry = gethostbyname(host.c_str());
    if (entry && entry->h_addrtype == AF_INET && entry->h_length == 4 && entry->h_addr_list[0]) {
      memcpy(found.get(), entry->h_addr_list[0], 4);
    }
  };
  // A dotted address needs no name server: no thread for it.
  const uint32_t dotted = inet_addr(host.c_str());
  if (!waitPump_ || dotted != INADDR_NONE) {
    lookup();
    return *found;
  }
  // The pump may close this connection (an abort handler): that ends the wait too.
  const TSocket handle = socket_;
  const TThreadWait outcome = RunLookupLeavable(lookup, [this, handle] { return waitPump_() && socket_ == handle; }, -1);
  if (outcome != TThreadWait::Finished) {
    WSASetLastError(WSAEINTR);
    CheckSocketCall(SOCKET_ERROR, "connect");
  }
  return *found;
}

void TCustomWinSocket::OpenConnection(const std::string& host, const std::string& address,
                                      const std::string& service, int port, bool blocking) {
  if (connected_) throw ESocketError(kAlreadyOpen);
  if (!blocking || asyncStyles_ != 0) throw ESocketError(kMustBeBlocking);
  StartWinsock();
  const SOCKET handle = socket(AF_INET, SOCK_STREAM, 0);
  if (handle == INVALID_SOCKET) throw ESocketError(kCannotCreate);
  socket_ = static_cast<TSocket>(handle);
  receiveLimitMs_ = 0;  // a new socket's receives wait without limit
  closedTls_.reset();
  try {
    NotifyEvent(this, seLookup);
    sockaddr_in peer = {};
    peer.sin_family = AF_INET;
    if (!host.empty()) {
      // A name that does not resolve leaves 0.0.0.0; the connect reports it.
      peer.sin_addr.s_addr = LookUpHost(host);
    } else if (!address.empty()) {
      peer.sin_addr.s_addr = inet_addr(address.c_str());
    } else {
      throw ESocketError(kNoAddress);
    }
    if (!service.empty()) {
      const servent* entry = getservbyname(service.c_str(), "tcp");
      peer.sin_port = entry ? static_cast<u_short>(entry->s_port) : 0;
    } else {
      peer.sin_port = htons(static_cast<u_short>(port));
    }
    peerAddress_ = peer.sin_addr.s_addr;
    peerPort_ = ntohs(peer.sin_port);
    ApplyAsyncStyles();
    NotifyEvent(this, seConnecting);
    if (peer.sin_addr.s_addr == INADDR_ANY) {
      // Windows refuses 0.0.0.0 as a peer, but some stacks take it for the
      // local host: an unresolved name must never reach a local server.
      WSASetLastError(WSAEADDRNOTAVAIL);
      CheckSocketCall(SOCKET_ERROR, "connect");
    } else if (waitPump_) {
      ConnectPumping(socket_, &peer, sizeof peer);
    } else {
      CheckSocketCall(connect(handle, reinterpret_cast<const sockaddr*>(&peer), sizeof peer),
                      "connect");
    }
    lookupState_ = lsIdle;
    connected_ = true;
    NotifyEvent(this, seConnect);
  } catch (...) {
    CloseConnection(socket_);
    throw;
  }
}

void TCustomWinSocket::CloseConnection(TSocket socket) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  // No asynchronous lookup is ever started, so none can be pending here.
  if (socket == kInvalidSocket || socket != socket_) return;
  NotifyEvent(this, seDisconnect);
  const int result = closesocket(Native(socket_));
  const int code = result != 0 ? WSAGetLastError() : 0;
  // The object is closed whatever the platform says, so that it can be reopened.
  socket_ = kInvalidSocket;
  if (tls_) closedTls_ = std::move(tls_);
  ResetAddress();
  connected_ = false;
  if (result != 0) {
    WSASetLastError(code);
    CheckSocketCall(result, "closesocket");
  }
}

int TCustomWinSocket::TransferFailed(TErrorEvent event, const char* api) {
  int32_t code = WSAGetLastError();
  if (code == kWouldBlock) return -1;
  NotifyError(this, event, code);
  CloseConnection(socket_);
  if (code != 0) RaiseSocketError(code, api);
  return -1;
}

int TCustomWinSocket::SendBytes(const void* buffer, int count) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (!connected_) return 0;
  if (tls_) return tls_->Write(static_cast<const char*>(buffer), count) ? count : -1;
  return SendRaw(buffer, count);
}

int TCustomWinSocket::SendRaw(const void* buffer, int count) {
  const int sent = send(Native(socket_), static_cast<const char*>(buffer), count, 0);
  if (sent == SOCKET_ERROR) return TransferFailed(eeSend, "send");
  return sent;
}

int TCustomWinSocket::SendString(const std::string& text) {
  return SendBytes(text.data(), static_cast<int>(text.size()));
}

int TCustomWinSocket::ReceiveBytes(void* buffer, int count) {
  if (count == -1) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (!connected_) return 0;
    if (tls_) return static_cast<int>(tls_->Pending());
    u_long waiting = 0;
    ioctlsocket(Native(socket_), FIONREAD, &waiting);
    return static_cast<int>(waiting);
  }
  return Receive(buffer, count, 0);
}

int TCustomWinSocket::PeekBytes(void* buffer, int count) { return Receive(buffer, count, MSG_PEEK); }

int TCustomWinSocket::Receive(void* buffer, int count, int flags) {
  if (!tls_) return ReceiveRaw(buffer, count, flags);
  char* bytes = static_cast<char*>(buffer);
  return flags == MSG_PEEK ? tls_->Peek(bytes, count) : tls_->Read(bytes, count);
}

void TCustomWinSocket::StartTls(const std::string& serverName) {
  if (!connected_) throw ESocketError(L"Socket is not connected");
  tls_.reset();
  const TSocket handle = socket_;
  try {
    auto session = std::make_unique<TTlsSession>(
        serverName, TTlsTransport{[this](char* buffer, int count) { return ReceiveRaw(buffer, count, 0); },
                                  [this](const char* data, int count) {
                                    for (int sent = 0; sent < count;) {
                                      const int n = SendRaw(data + sent, count - sent);
                                      if (n <= 0) return false;
                                      sent += n;
                                    }
                                    return true;
                                  }});
    // Without a pump the raw receive blocks until bytes come; with one it
    // gives -1 only when the pump gave the wait up.
    if (session->Handshake() == TTlsProgress::Waiting || !connected_ || socket_ != handle) {
      WSASetLastError(WSAEINTR);
      CheckSocketCall(SOCKET_ERROR, "connect");
    }
    tls_ = std::move(session);
  } catch (...) {
    if (socket_ == handle) CloseConnection(socket_);
    throw;
  }
}

int TCustomWinSocket::ReceiveRaw(void* buffer, int count, int flags) {
  for (;;) {
    {
      std::lock_guard<std::recursive_mutex> guard(lock_);
      if (!connected_) return 0;
      const int got = recv(Native(socket_), static_cast<char*>(buffer), count, flags);
      if (got != SOCKET_ERROR) return got;
      if (!waitPump_ || WSAGetLastError() != WSAETIMEDOUT) return TransferFailed(eeReceive, "recv");
    }
    // Pumped outside the lock: the pump runs the window's handlers, which
    // may close this connection.
    if (!waitPump_() || !connected_) return -1;
  }
}

void TClientWinSocket::SetClientType(TClientType value) {
  if (value == clientType_) return;
  if (IsConnected()) throw ESocketError(kChangeWhileActive);
  clientType_ = value;
  SetAsyncStyles(value == ctBlocking ? 0u : kNonBlockingStyles);
}

void TClientWinSocket::HandleConnect(TSocket) {
  // Reached only through asynchronous notifications, which are never registered.
}

}  // namespace quonel
