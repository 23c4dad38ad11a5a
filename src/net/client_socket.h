// The client socket component: properties that may change only while it is
// inactive, an Active switch that connects and disconnects its connection
// object, and the user's event handlers.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "net/win_socket.h"
#include "core/component.h"

namespace quonel {

using TSocketNotifyEvent = std::function<void(TComponent* Sender, TCustomWinSocket* Socket)>;
using TSocketErrorEvent = std::function<void(TComponent* Sender, TCustomWinSocket* Socket,
                                             TErrorEvent ErrorEvent, int32_t& ErrorCode)>;

class TAbstractSocket : public TComponent {
 public:
  using TComponent::TComponent;
  const wchar_t* ClassName() const override { return L"TAbstractSocket"; }

  // Writing it connects or disconnects; it changes only through the
  // connection's connect and disconnect events (stored as is while loading).
  bool Active() const { return active_; }
  void SetActive(bool value);
  const std::string& Host() const { return host_; }
  void SetHost(const std::string& value);
  const std::string& Address() const { return address_; }
  void SetAddress(const std::string& value);
  const std::string& Service() const { return service_; }
  void SetService(const std::string& value);
  int Port() const { return port_; }
  void SetPort(int value);

  void Loaded() override;

 protected:
  virtual void NotifyEvent(TCustomWinSocket* socket, TSocketEvent event);
  virtual void NotifyError(TCustomWinSocket* socket, TErrorEvent event, int32_t& errorCode);
  virtual void ApplyActive(bool value) = 0;
  // Host, Address and Service compare without regard to letter case.
  void ChangeText(std::string& field, const std::string& value);
  bool MayChange() const;

 private:
  bool active_ = false;
  int port_ = 0;
  std::string address_;
  std::string host_;
  std::string service_;
};

class TCustomSocket : public TAbstractSocket {
 public:
  using TAbstractSocket::TAbstractSocket;
  const wchar_t* ClassName() const override { return L"TCustomSocket"; }

  TSocketNotifyEvent OnLookup;
  TSocketNotifyEvent OnConnecting;
  TSocketNotifyEvent OnConnect;
  TSocketNotifyEvent OnDisconnect;
  TSocketNotifyEvent OnListen;
  TSocketNotifyEvent OnAccept;
  TSocketNotifyEvent OnRead;
  TSocketNotifyEvent OnWrite;
  TSocketErrorEvent OnError;

 protected:
  void NotifyEvent(TCustomWinSocket* socket, TSocketEvent event) override;
  void NotifyError(TCustomWinSocket* socket, TErrorEvent event, int32_t& errorCode) override;
};

class TClientSocket : public TCustomSocket {
 public:
  explicit TClientSocket(TComponent* owner);
  ~TClientSocket() override;
  const wchar_t* ClassName() const override { return L"TClientSocket"; }

  TClientWinSocket* Connection() const { return connection_.get(); }
  TClientType ClientType() const { return connection_->ClientType(); }
  void SetClientType(TClientType value) { connection_->SetClientType(value); }

 protected:
  void ApplyActive(bool value) override;

 private:
  std::unique_ptr<TClientWinSocket> connection_;
};

}  // namespace quonel
