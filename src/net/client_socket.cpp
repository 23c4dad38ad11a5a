#include "net/client_socket.h"

#include "core/ascii_case.h"

#include <cctype>

#include "net/socket_error.h"

namespace quonel {
namespace {

}  // namespace

void TAbstractSocket::SetActive(bool value) {
  if (value == active_) return;
  if (HasState(ComponentStateFlag::Designing) || HasState(ComponentStateFlag::Loading)) {
    active_ = value;
    return;
  }
  ApplyActive(value);
}

void TAbstractSocket::Loaded() {
  TComponent::Loaded();
  if (active_) ApplyActive(true);
}

bool TAbstractSocket::MayChange() const {
  return HasState(ComponentStateFlag::Loading) || !active_;
}

void TAbstractSocket::ChangeText(std::string& field, const std::string& value) {
  if (SameTextNoCase(field, value)) return;
  if (!MayChange()) throw ESocketError(kChangeWhileActive);
  field = value;
}

void TAbstractSocket::SetHost(const std::string& value) { ChangeText(host_, value); }
void TAbstractSocket::SetAddress(const std::string& value) { ChangeText(address_, value); }
void TAbstractSocket::SetService(const std::string& value) { ChangeText(service_, value); }

void TAbstractSocket::SetPort(int value) {
  if (value == port_) return;
  if (!MayChange()) throw ESocketError(kChangeWhileActive);
  port_ = value;
}

void TAbstractSocket::NotifyEvent(TCustomWinSocket*, TSocketEvent event) {
  if (event == seConnect || event == seListen) active_ = true;
  if (event == seDisconnect) active_ = false;
}

void TAbstractSocket::NotifyError(TCustomWinSocket*, TErrorEvent, int32_t&) {}

void TCustomSocket::NotifyEvent(TCustomWinSocket* socket, TSocketEvent event) {
  TAbstractSocket::NotifyEvent(socket, event);
  const TSocketNotifyEvent* handler = nullptr;
  switch (event) {
    case seLookup: handler = &OnLookup; break;
    case seConnecting: handler = &OnConnecting; break;
    case seConnect: handler = &OnConnect; break;
    case seDisconnect: handler = &OnDisconnect; break;
    case seListen: handler = &OnListen; break;
    case seAccept: handler = &OnAccept; break;
    case seWrite: handler = &OnWrite; break;
    case seRead: handler = &OnRead; break;
  }
  if (handler && *handler) (*handler)(this, socket);
}

void TCustomSocket::NotifyError(TCustomWinSocket* socket, TErrorEvent event, int32_t& errorCode) {
  if (OnError) OnError(this, socket, event, errorCode);
}

TClientSocket::TClientSocket(TComponent* owner)
    : TCustomSocket(owner), connection_(std::make_unique<TClientWinSocket>(kInvalidSocket)) {
  connection_->SetOnSocketEvent(
      [this](TCustomWinSocket* socket, TSocketEvent event) { NotifyEvent(socket, event); });
  connection_->SetOnErrorEvent([this](TCustomWinSocket* socket, TErrorEvent event, int32_t& code) {
    NotifyError(socket, event, code);
  });
}

TClientSocket::~TClientSocket() = default;

void TClientSocket::ApplyActive(bool value) {
  if (HasState(ComponentStateFlag::Designing)) return;
  if (value == connection_->IsConnected()) return;
  if (connection_->IsConnected()) {
    connection_->Close();
  } else {
    connection_->OpenConnection(Host(), Address(), Service(), Port(), ClientType() == ctBlocking);
  }
}

}  // namespace quonel
