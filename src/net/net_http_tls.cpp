#include "net/net_http_tls.h"

#include <windows.h>

#include <algorithm>

#include "net/http_exceptions.h"

namespace quonel {

TNetIOHandlerTls::~TNetIOHandlerTls() = default;

int TNetIOHandlerTls::ClosedOnFailure(const std::function<int()>& call) {
  try {
    return call();
  } catch (const ETlsError&) {
    // A session that failed once cannot carry the next request of a kept connection.
    session_.reset();
    TNetIOHandlerSocket::Close();
    throw;
  }
}

void TNetIOHandlerTls::ConnectClient(const std::string& host, int port, int timeoutMs, const TNetStatusEvent& status,
                                     const TNetWaitPump& pump) {
  const uint64_t started = GetTickCount64();
  session_.reset();
  TNetIOHandlerSocket::ConnectClient(host, port, timeoutMs, status, pump);
  try {
    session_ = std::make_unique<TTlsSession>(ServerName.empty() ? host : ServerName,
                                             TTlsTransport{
                                                 [this](char* buffer, int count) {
                                                   rawError_ = 0;
                                                   const int n = TNetIOHandlerSocket::Recv(buffer, count, rawLimitMs_,
                                                                                           &rawError_);
                                                   return n < 0 ? -1 : n;
                                                 },
                                                 [this](const char* data, int count) {
                                                   for (int sent = 0; sent < count;) {
                                                     int error = 0;
                                                     const int n = TNetIOHandlerSocket::Send(data + sent, count - sent,
                                                                                             &error);
                                                     if (n <= 0) {
                                                       rawError_ = error;
                                                       return false;
                                                     }
                                                     sent += n;
                                                   }
                                                   return true;
                                                 }});
    // The handshake's bytes are awaited like a response's: a slice at a
    // time while a pump is set, the connect's time limit over all of it.
    const uint64_t deadline = timeoutMs > 0 ? started + static_cast<uint64_t>(timeoutMs) : UINT64_MAX;
    if (!Tunnel.empty()) OpenTunnel(deadline, pump);
    AwaitRaw(deadline, pump, [this] { return session_->Handshake() == TTlsProgress::Done; });
  } catch (...) {
    session_.reset();
    TNetIOHandlerSocket::Close();
    throw;
  }
}

void TNetIOHandlerTls::AwaitRaw(uint64_t deadline, const TNetWaitPump& pump, const std::function<bool()>& step) {
  for (;;) {
    const uint64_t now = GetTickCount64();
    if (now >= deadline) throw ENetConnectTimeout(L"Connect timed out.");
    const uint64_t left = deadline - now;
    rawLimitMs_ = pump ? static_cast<int>(std::min<uint64_t>(kNetWaitSliceMs, left))
                       : (deadline == UINT64_MAX ? -2 : static_cast<int>(std::min<uint64_t>(left, INT_MAX)));
    if (step()) return;
    if (rawError_ != 0 && rawError_ != 10060) throw ETlsError(L"the connection failed during the TLS handshake");
    if (pump && !pump()) throw ENetWaitAbandoned(L"Wait abandoned.");
    if (!TNetIOHandlerSocket::Connected()) throw ENetClosedSocket(L"Disconnected.");
  }
}

void TNetIOHandlerTls::OpenTunnel(uint64_t deadline, const TNetWaitPump& pump) {
  std::string request = "CONNECT " + Tunnel + " HTTP/1.1\r\nHost: " + Tunnel + "\r\n";
  if (!TunnelAuthorization.empty()) request += "Proxy-Authorization: " + TunnelAuthorization + "\r\n";
  request += "\r\n";
  for (size_t sent = 0; sent < request.size();) {
    int error = 0;
    const int n = TNetIOHandlerSocket::Send(request.data() + sent, static_cast<int>(request.size() - sent), &error);
    if (n <= 0) throw ENetConnectException(L"the proxy closed the connection");
    sent += static_cast<size_t>(n);
  }
  // Nothing of the server can come before our first handshake message, so
  // reading in pieces cannot take more than the proxy's answer.
  std::string answer;
  AwaitRaw(deadline, pump, [&] {
    char piece[1024];
    rawError_ = 0;
    const int n = TNetIOHandlerSocket::Recv(piece, sizeof piece, rawLimitMs_, &rawError_);
    if (n == 0) throw ENetConnectException(L"the proxy closed the connection");
    if (n > 0) answer.append(piece, static_cast<size_t>(n));
    if (answer.size() > 16384) throw ENetConnectException(L"the proxy's answer has no end");
    return answer.find("\r\n\r\n") != std::string::npos;
  });
  const size_t headEnd = answer.find("\r\n\r\n");
  const std::string statusLine = answer.substr(0, answer.find("\r\n"));
  const size_t space = statusLine.find(' ');
  if (statusLine.rfind("HTTP/1.", 0) != 0 || space == std::string::npos || statusLine.compare(space + 1, 1, "2") != 0)
    throw ENetConnectException(L"the proxy refused the tunnel: " + std::wstring(statusLine.begin(), statusLine.end()));
  if (answer.size() > headEnd + 4) throw ENetConnectException(L"the proxy sent bytes of its own");
}

void TNetIOHandlerTls::Close() {
  if (session_ && TNetIOHandlerSocket::Connected()) session_->Shutdown();
  session_.reset();
  TNetIOHandlerSocket::Close();
}

int TNetIOHandlerTls::Recv(char* buffer, int count, int timeoutMs, int* error) {
  if (!session_) {
    *error = 10057;  // not connected
    return -1;
  }
  // One record may take several raw receives: they share the one wait.
  const uint64_t deadline = timeoutMs == -2 ? 0 : GetTickCount64() + static_cast<uint64_t>(std::max(timeoutMs, 1));
  for (;;) {
    if (deadline == 0) {
      rawLimitMs_ = -2;
    } else {
      const uint64_t now = GetTickCount64();
      if (now >= deadline && session_->Pending() == 0) {
        *error = 10060;
        return -1;
      }
      rawLimitMs_ = static_cast<int>(std::max<uint64_t>(1, std::min<uint64_t>(deadline > now ? deadline - now : 1, INT_MAX)));
    }
    rawError_ = 0;
    const int n = ClosedOnFailure([&] { return session_->Read(buffer, count); });
    if (n >= 0) return n;
    if (rawError_ != 10060 && rawError_ != 0) {
      *error = rawError_;
      return -1;
    }
  }
}

int TNetIOHandlerTls::Send(const char* data, int count, int* error) {
  if (!session_) {
    *error = 10057;
    return -1;
  }
  rawError_ = 0;
  if (ClosedOnFailure([&] { return session_->Write(data, count) ? 1 : 0; })) return count;
  *error = rawError_ != 0 ? rawError_ : 10053;
  return -1;
}

bool TNetIOHandlerTls::Readable(int timeoutMs) {
  if (session_ && session_->Pending() > 0) return true;
  return TNetIOHandlerSocket::Readable(timeoutMs);
}

}  // namespace quonel
