#include "net/net_http_tcp.h"

#include <windows.h>

#include <algorithm>
#include <climits>

#include "net/http_exceptions.h"
#include "net/http_socket_errors.h"
#include "net/net_http_tls.h"

namespace quonel {

TNetTCPConnection::TNetTCPConnection(TComponent* owner) : TNetComponent(owner) {}

TNetTCPConnection::~TNetTCPConnection() {
  if (ioHandler_ && ioHandler_->Connected()) ioHandler_->Close();
  if (ioHandler_ && !freeIOHandlerOnDisconnect_) ioHandler_->RemoveFreeNotification(this);
  // A channel this connection created is one of its owned components.
}

void TNetTCPConnection::SetIOHandler(TNetIOHandler* handler) {
  if (ioHandler_ == handler) return;
  if (ioHandler_ && freeIOHandlerOnDisconnect_) delete ioHandler_;
  else if (ioHandler_) ioHandler_->RemoveFreeNotification(this);
  ioHandler_ = handler;
  freeIOHandlerOnDisconnect_ = false;
  if (handler) handler->FreeNotification(this);
}

void TNetTCPConnection::Notification(TComponent* component, Operation operation) {
  TNetComponent::Notification(component, operation);
  if (operation == Operation::Remove && component == ioHandler_) {
    ioHandler_ = nullptr;
    freeIOHandlerOnDisconnect_ = false;
  }
}

void TNetTCPConnection::ClosePeerClosedSocket() {
  peerCloseSeen_ = false;
  if (ioHandler_ && ioHandler_->Connected()) {
    ioHandler_->Close();
    if (OnDisconnected) OnDisconnected();
  }
}

bool TNetTCPConnection::Connected() {
  if (peerCloseSeen_) ClosePeerClosedSocket();
  return ioHandler_ && ioHandler_->Connected();
}

void TNetTCPConnection::Disconnect() {
  DoStatus(hsDisconnecting, "");
  if (ioHandler_) ioHandler_->Close();
  peerCloseSeen_ = false;
  FreeOwnedHandler();
  if (OnDisconnected) OnDisconnected();
  DoStatus(hsDisconnected, "");
}

void TNetTCPConnection::FreeOwnedHandler() {
  if (!ioHandler_ || !freeIOHandlerOnDisconnect_) return;
  if (channelWaits_ > 0) {
    freeWhenWaitsEnd_ = true;
    return;
  }
  TNetIOHandler* handler = ioHandler_;
  ioHandler_ = nullptr;
  freeIOHandlerOnDisconnect_ = false;
  freeWhenWaitsEnd_ = false;
  delete handler;
}

int TNetTCPConnection::LimitedByDeadline(int timeoutMs) const {
  if (waitDeadline_ == 0) return timeoutMs;
  const uint64_t now = GetTickCount64();
  if (now >= waitDeadline_) throw ENetReadTimeout(L"Read Timeout");
  const int left = static_cast<int>(std::min<uint64_t>(waitDeadline_ - now, INT_MAX));
  return timeoutMs <= 0 ? left : std::min(timeoutMs, left);
}

int TNetTCPConnection::ReceivePumping(char* buffer, int count, int timeoutMs, int* error) {
  const uint64_t deadline = timeoutMs > 0 ? GetTickCount64() + static_cast<uint64_t>(timeoutMs) : UINT64_MAX;
  for (;;) {
    uint64_t now = GetTickCount64();
    if (now >= deadline) throw ENetReadTimeout(L"Read Timeout");
    if (now - lastServedMs_ >= static_cast<uint64_t>(kNetServeIntervalMs)) {
      Serve();
      now = GetTickCount64();
    }
    // A receive limited to one slice rather than a select before it: a select
    // with a time limit wakes milliseconds late under Wine.
    const int slice = static_cast<int>(std::min<uint64_t>(kNetWaitSliceMs, deadline - now));
    const int n = ioHandler_->Recv(buffer, count, slice, error);
    if (n >= 0 || *error != 10060) return n;
    Serve();
  }
}

void TNetTCPConnection::Serve() {
  const bool goOn = WaitPump();
  lastServedMs_ = GetTickCount64();
  if (!goOn) throw ENetWaitAbandoned(L"Wait abandoned.");
  // A handler the pump ran may have closed the connection.
  if (!ioHandler_ || !ioHandler_->Connected()) throw ENetClosedSocket(L"Disconnected.");
}

size_t TNetTCPConnection::Receive(char* buffer, size_t capacity, int timeoutMs) {
  // A closed channel reads as the end of the stream: buffered bytes stay
  // readable, and a line awaited beyond them ends "Connection Closed Gracefully."
  if (!ioHandler_ || !ioHandler_->Connected()) return 0;
  timeoutMs = LimitedByDeadline(timeoutMs);
  int error = 0;
  const int count = static_cast<int>(std::min<size_t>(capacity, INT_MAX));
  // Pumped here, between the channel's calls, where a closing handler cannot
  // pull the channel away from under a wait.
  const int n = WaitPump ? ReceivePumping(buffer, count, timeoutMs, &error)
                         : ioHandler_->Recv(buffer, count, timeoutMs == 0 ? -2 : timeoutMs, &error);
  if (n < 0 && error == 10060) throw ENetReadTimeout(L"Read Timeout");
  if (n > 0) return static_cast<size_t>(n);
  if (n == 0) {
    peerCloseSeen_ = true;
    ClosePeerClosedSocket();
    return 0;
  }
  if (error == 10053 || error == 10058) {
    ioHandler_->Close();
    if (input_.Buffered() > 0) return 0;
  }
  RaiseSocketError(error);
}

void TNetTCPConnection::Write(const std::string& data) {
  if (!ioHandler_) throw ENetNotConnected(L"Not Connected");
  if (!ioHandler_->Connected()) throw ENetClosedSocket(L"Disconnected.");
  size_t sent = 0;
  while (sent < data.size()) {
    int error = 0;
    const int n = ioHandler_->Send(data.data() + sent, static_cast<int>(std::min<size_t>(data.size() - sent, INT_MAX)),
                                   &error);
    if (n < 0) {
      if (error == 10053 || error == 10054 || error == 10058) ioHandler_->Close();
      RaiseSocketError(error);
    }
    sent += static_cast<size_t>(n);
  }
}

void TNetTCPClient::Connect(int timeoutMs) {
  // A channel of our own that encrypts or not as the other wanted goes.
  if (ioHandler_ && freeIOHandlerOnDisconnect_ && !ioHandler_->Connected() &&
      ioHandler_->Encrypted() != !TlsServerName.empty())
    FreeOwnedHandler();
  if (auto* encrypted = dynamic_cast<TNetIOHandlerTls*>(ioHandler_); encrypted && freeIOHandlerOnDisconnect_) {
    encrypted->ServerName = TlsServerName;
    encrypted->Tunnel = TlsTunnel;
    encrypted->TunnelAuthorization = TlsTunnelAuthorization;
  }
  if (!ioHandler_) {
    TNetIOHandlerSocket* handler = nullptr;
    if (TlsServerName.empty()) {
      handler = new TNetIOHandlerSocket(this);
    } else {
      auto* encrypted = new TNetIOHandlerTls(this);
      encrypted->ServerName = TlsServerName;
      encrypted->Tunnel = TlsTunnel;
      encrypted->TunnelAuthorization = TlsTunnelAuthorization;
      handler = encrypted;
    }
    handler->BoundIP = BoundIP;
    handler->BoundPort = BoundPort;
    handler->BoundPortMin = BoundPortMin;
    handler->BoundPortMax = BoundPortMax;
    ioHandler_ = handler;
    freeIOHandlerOnDisconnect_ = true;
  } else if (ioHandler_->Connected()) {
    throw ENetAlreadyConnected(L"Already connected.");
  }
  input_.Reset();
  peerCloseSeen_ = false;
  {
    // The pump runs inside the channel's connect: a disconnect meanwhile
    // must leave the channel alive until the connect has unwound.
    struct ChannelWait {
      TNetTCPClient& client;
      explicit ChannelWait(TNetTCPClient& c) : client(c) { ++client.channelWaits_; }
      ~ChannelWait() {
        if (--client.channelWaits_ == 0 && client.freeWhenWaitsEnd_) client.FreeOwnedHandler();
      }
    } wait(*this);
    ioHandler_->ConnectClient(Host, Port, LimitedByDeadline(timeoutMs), OnStatus, WaitPump);
  }
  if (!ioHandler_) throw ENetClosedSocket(L"Disconnected.");
  DoStatus(hsConnected, Host);
  if (OnConnected) OnConnected();
}

}  // namespace quonel
