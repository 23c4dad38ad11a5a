#include "support/loopback_server.h"

#include <ws2tcpip.h>

namespace quonel::testing {
namespace {

// Winsock must be started once per process before the first socket.
void EnsureWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  (void)started;
}

}  // namespace

ScriptedConnection::ScriptedConnection(SOCKET socket, int index, HANDLE stopEvent,
                                       std::function<void()> forget)
    : socket_(socket), index_(index), stopEvent_(stopEvent), forget_(std::move(forget)) {}

ScriptedConnection::~ScriptedConnection() { Close(); }

bool ScriptedConnection::WaitReadable(int timeoutMs) {
  if (socket_ == INVALID_SOCKET) return false;
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(timeoutMs);
  // Short select slices so that a server stop ends the wait promptly.
  for (;;) {
    if (WaitForSingleObject(stopEvent_, 0) == WAIT_OBJECT_0) return false;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval slice = {0, 20000};
    const int ready = select(0, &readable, nullptr, nullptr, &slice);
    if (ready < 0) return false;
    if (ready > 0) return true;
    if (static_cast<int>(deadline - GetTickCount()) <= 0) return false;
  }
}

std::string ScriptedConnection::ReadUntil(const std::string& terminator, int timeoutMs) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(timeoutMs);
  for (;;) {
    const size_t at = pending_.find(terminator);
    if (at != std::string::npos) {
      std::string line = pending_.substr(0, at + terminator.size());
      pending_.erase(0, at + terminator.size());
      return line;
    }
    const int left = static_cast<int>(deadline - GetTickCount());
    if (left <= 0 || !WaitReadable(left)) return "";
    char buffer[4096];
    const int got = recv(socket_, buffer, sizeof buffer, 0);
    if (got <= 0) return "";
    pending_.append(buffer, got);
  }
}

bool ScriptedConnection::Send(const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size() && socket_ != INVALID_SOCKET) {
    const int n = send(socket_, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return false;
    sent += n;
  }
  return sent == bytes.size();
}

void ScriptedConnection::Close() {
  if (socket_ == INVALID_SOCKET) return;
  // The handle itself is closed by the server after every script has ended,
  // so that it cannot be reused while the server still knows it.
  shutdown(socket_, SD_SEND);
  socket_ = INVALID_SOCKET;
}

void ScriptedConnection::Reset() {
  if (socket_ == INVALID_SOCKET || !forget_) return;
  // The server must forget the handle before it is closed and can be reused.
  forget_();
  linger abort = {1, 0};
  setsockopt(socket_, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
  closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

bool ScriptedConnection::Pause(int ms) { return WaitForSingleObject(stopEvent_, ms) != WAIT_OBJECT_0; }

void ScriptedConnection::HoldUntilServerStops() { WaitForSingleObject(stopEvent_, INFINITE); }

bool ScriptedConnection::WaitForClientClose(int timeoutMs) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(timeoutMs);
  for (;;) {
    const int left = static_cast<int>(deadline - GetTickCount());
    if (left <= 0 || !WaitReadable(left)) return false;
    char buffer[4096];
    if (recv(socket_, buffer, sizeof buffer, 0) <= 0) return true;
  }
}

LoopbackServer::LoopbackServer(Script script, int backlog, bool accepts)
    : script_(std::move(script)), stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  EnsureWinsock();
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener_, backlog);
  int length = sizeof address;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  if (accepts) acceptThread_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
  stopping_ = true;
  SetEvent(stopEvent_);
  if (acceptThread_.joinable()) acceptThread_.join();
  closesocket(listener_);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // Unblocks scripts that wait in recv or send.
    for (SOCKET s : openSockets_) shutdown(s, SD_BOTH);
  }
  for (std::thread& thread : connectionThreads_) thread.join();
  for (SOCKET s : openSockets_) closesocket(s);
  CloseHandle(stopEvent_);
}

std::string LoopbackServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackServer::AcceptLoop() {
  while (!stopping_) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener_, &readable);
    timeval slice = {0, 20000};
    if (select(0, &readable, nullptr, nullptr, &slice) <= 0) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    const int index = accepted_++;
    std::lock_guard<std::mutex> lock(mutex_);
    openSockets_.push_back(client);
    connectionThreads_.emplace_back([this, client, index] {
      ScriptedConnection connection(client, index, stopEvent_, [this, client] { Forget(client); });
      script_(connection);
    });
  }
}

void LoopbackServer::Forget(SOCKET socket) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = openSockets_.begin(); it != openSockets_.end(); ++it) {
    if (*it == socket) {
      openSockets_.erase(it);
      return;
    }
  }
}

namespace {

// Neither connected nor failed within the time.
bool StillPending(SOCKET s, long microseconds) {
  fd_set writable, failed;
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(s, &writable);
  FD_SET(s, &failed);
  timeval limit = {0, microseconds};
  return select(0, nullptr, &writable, &failed, &limit) == 0;
}

// Connects without waiting; true when the connect is still pending after
// 200 ms and again 300 ms later: a connect that a busy machine was merely
// slow to finish does not make the queue count as full.
bool ConnectHangs(int port, std::vector<SOCKET>& sockets) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockets.push_back(s);
  u_long nonBlocking = 1;
  ioctlsocket(s, FIONBIO, &nonBlocking);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  return StillPending(s, 200000) && StillPending(s, 300000);
}

}  // namespace

FullListenQueue::FullListenQueue(int port) {
  for (int i = 0; i < 32 && !full_; ++i) full_ = ConnectHangs(port, sockets_);
}

FullListenQueue::~FullListenQueue() {
  for (SOCKET s : sockets_) closesocket(s);
}

int RefusingLoopbackPort() {
  SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  int length = sizeof address;
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
  closesocket(probe);
  return ntohs(address.sin_port);
}

}  // namespace quonel::testing
