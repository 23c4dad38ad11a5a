#include "net/net_http_socket.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <climits>
#include <exception>
#include <memory>

#include "net/http_cookies.h"
#include "net/http_exceptions.h"
#include "net/http_socket_errors.h"
#include "net/host_lookup_thread.h"
#include "net/http_text.h"
#include "net/net_http_connect_thread.h"
#include "net/net_http_winsock.h"

namespace quonel {
namespace {

uint32_t DottedAddress(const std::string& text) {
  uint32_t bytes[4] = {0, 0, 0, 0};
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t dot = text.find('.', start);
    bytes[i] = static_cast<uint32_t>(std::stoul(text.substr(start, dot - start)));
    start = dot + 1;
  }
  // Network order: the first part is the lowest byte in memory.
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24;
}

}  // namespace

std::string AddressText(uint32_t address) {
  return std::to_string(address & 0xFF) + "." + std::to_string(address >> 8 & 0xFF) + "." +
         std::to_string(address >> 16 & 0xFF) + "." + std::to_string(address >> 24);
}

uint32_t ResolveHostAddress(const std::string& host, const TNetStatusEvent& status, const TNetWaitPump& pump,
                            int timeoutMs) {
  if (SameTextNoCase(host, "LOCALHOST")) return DottedAddress("127.0.0.1");
  if (IsDottedAddress(host)) return DottedAddress(host);
  if (status) status(hsResolving, host);
  if (!pump && timeoutMs <= 0) return GStack().ResolveHost(host);
  // Shared with the lookup's thread, which may outlive this wait.
  struct Found {
    uint32_t address = 0;
    std::exception_ptr failure;
  };
  auto found = std::make_shared<Found>();
  const TThreadWait outcome = RunLookupLeavable(
      [found, host] {
        try {
          found->address = GStack().ResolveHost(host);
        } catch (...) {
          found->failure = std::current_exception();
        }
      },
      pump, timeoutMs > 0 ? timeoutMs : -1);
  if (outcome == TThreadWait::GivenUp) throw ENetWaitAbandoned(L"Wait abandoned.");
  if (outcome == TThreadWait::TimedOut) throw ENetConnectTimeout(L"Connect timed out.");
  if (found->failure) std::rethrow_exception(found->failure);
  return found->address;
}

void TNetSocketHandle::AllocateSocket() {
  CloseSocket();
  const SOCKET s = GStack().NewSocket();
  if (s == INVALID_SOCKET) throw ENetInvalidSocket(L"Cannot allocate socket.");
  handle_ = s;
}

void TNetSocketHandle::Bind(const std::string& address, int port, int portMin, int portMax) {
  const uint32_t ip = address.empty() ? INADDR_ANY : DottedAddress(address);
  if (port == 0 && (portMin != 0 || portMax != 0)) {
    if (portMin > portMax)
      throw ENetCouldNotBindSocket(L"Invalid Port Range (" + std::to_wstring(portMin) + L" - " +
                                   std::to_wstring(portMax) + L")");
    for (int p = portMin; p <= portMax; ++p)
      if (GStack().Bind(handle_, ip, static_cast<uint16_t>(p)) == 0) return;
    throw ENetCouldNotBindSocket(L"Can not bind in port range (" + std::to_wstring(portMin) + L" - " +
                                 std::to_wstring(portMax) + L")");
  }
  if (GStack().Bind(handle_, ip, static_cast<uint16_t>(port)) != 0)
    throw ENetCouldNotBindSocket(L"Could not bind socket. Address and port are already in use.");
}

void TNetSocketHandle::Connect(uint32_t address, uint16_t port) {
  const SOCKET s = handle_;
  if (GStack().Connect(s, address, port) != 0) RaiseSocketError(GStack().LastError());
}

void TNetSocketHandle::CloseSocket() {
  const SOCKET s = handle_.exchange(INVALID_SOCKET);
  if (s == INVALID_SOCKET) return;
  GStack().Shutdown(s, SD_SEND);
  GStack().CloseSocket(s);
}

void TNetIOHandlerSocket::ConnectClient(const std::string& host, int port, int timeoutMs,
                                        const TNetStatusEvent& status, const TNetWaitPump& pump) {
  try {
    binding_->AllocateSocket();
    receiveTimeLimit_ = 0;
    binding_->Bind(BoundIP, BoundPort, BoundPortMin, BoundPortMax);
    // The lookup and the connect share the one time limit.
    const ULONGLONG started = GetTickCount64();
    const uint32_t address = ResolveHostAddress(host, status, pump, timeoutMs);
    if (timeoutMs > 0) {
      const ULONGLONG spent = GetTickCount64() - started;
      timeoutMs = spent >= static_cast<ULONGLONG>(timeoutMs) ? 1 : timeoutMs - static_cast<int>(spent);
    }
    if (status) status(hsConnecting, AddressText(address));
    const uint16_t networkPort = static_cast<uint16_t>(port);
    if ((timeoutMs != -1 && timeoutMs != 0) || pump) {
      TNetSocketHandle* binding = binding_.get();
      TNetConnectThread thread([binding, address, networkPort] { binding->Connect(address, networkPort); });
      bool finished = false;
      try {
        finished = thread.WaitFinished(timeoutMs > 0 ? timeoutMs : INT_MAX, pump);
      } catch (...) {
        binding_->CloseSocket();
        thread.WaitFor();
        throw;
      }
      if (!finished) {
        // Closing the socket ends the blocked connect; the thread is then joined.
        binding_->CloseSocket();
        thread.WaitFor();
        throw ENetConnectTimeout(L"Connect timed out.");
      }
      // Closed meanwhile by a handler the pump ran: whatever the connect met
      // after that is of no interest.
      if (!binding_->HandleAllocated()) throw ENetClosedSocket(L"Disconnected.");
      if (!thread.ExceptionMessage().empty()) throw ENetConnectException(thread.ExceptionMessage());
    } else {
      binding_->Connect(address, networkPort);
    }
  } catch (...) {
    binding_->CloseSocket();
    throw;
  }
}

void TNetIOHandlerSocket::Close() { binding_->CloseSocket(); }

int TNetIOHandlerSocket::Recv(char* buffer, int count, int timeoutMs, int* error) {
  // The wait is the socket's own receive limit rather than a select before
  // every recv: under Wine each select is one more round trip to the
  // server, which tripled the time of a kept-alive GET.
  const int limit = timeoutMs == -2 ? 0 : std::max(timeoutMs, 1);
  if (limit != receiveTimeLimit_ &&
      GStack().SetSocketOption(binding_->Handle(), SOL_SOCKET, SO_RCVTIMEO, limit) == 0)
    receiveTimeLimit_ = limit;
  const int n = GStack().Recv(binding_->Handle(), buffer, count);
  if (n == SOCKET_ERROR) *error = GStack().LastError();
  return n;
}

int TNetIOHandlerSocket::Send(const char* data, int count, int* error) {
  const int n = GStack().Send(binding_->Handle(), data, count);
  if (n == SOCKET_ERROR) *error = GStack().LastError();
  return n;
}

bool TNetIOHandlerSocket::Readable(int timeoutMs) { return GStack().Readable(binding_->Handle(), timeoutMs); }

}  // namespace quonel
