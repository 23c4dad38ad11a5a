#include "net/net_http_winsock.h"

#include <windows.h>

#include <mutex>

#include "net/http_exceptions.h"
#include "net/http_socket_errors.h"
#include "net/http_text.h"

namespace quonel {
namespace {

constexpr char kLibraryName[] = "WS2_32.DLL";

HMODULE Library() {
  static HMODULE module = [] {
    HMODULE m = LoadLibraryA(kLibraryName);
    if (!m) throw ENetWS2StubError(L"Error on loading Winsock2 library (" + WidenBytes(kLibraryName) + L")");
    return m;
  }();
  return module;
}

FARPROC Lookup(const char* name) {
  FARPROC entry = GetProcAddress(Library(), name);
  if (!entry) throw ENetWS2StubError(L"Error on call Winsock2 library function " + WidenBytes(name));
  return entry;
}

// Each entry point is looked up by name the first time it is called.
#define QUONEL_WS2_ENTRY(result, name, params, args)                                      \
  result name params {                                                                    \
    using Function = result(WSAAPI*) params;                                              \
    static const Function function = reinterpret_cast<Function>(reinterpret_cast<void*>(Lookup(#name)));         \
    return function args;                                                                 \
  }

namespace ws2 {
QUONEL_WS2_ENTRY(int, WSAStartup, (WORD version, LPWSADATA data), (version, data))
QUONEL_WS2_ENTRY(int, WSACleanup, (), ())
QUONEL_WS2_ENTRY(int, WSAGetLastError, (), ())
QUONEL_WS2_ENTRY(SOCKET, socket, (int af, int type, int protocol), (af, type, protocol))
QUONEL_WS2_ENTRY(int, bind, (SOCKET s, const sockaddr* a, int n), (s, a, n))
QUONEL_WS2_ENTRY(int, connect, (SOCKET s, const sockaddr* a, int n), (s, a, n))
QUONEL_WS2_ENTRY(int, send, (SOCKET s, const char* b, int n, int f), (s, b, n, f))
QUONEL_WS2_ENTRY(int, recv, (SOCKET s, char* b, int n, int f), (s, b, n, f))
QUONEL_WS2_ENTRY(int, select, (int n, fd_set* r, fd_set* w, fd_set* e, const timeval* t), (n, r, w, e, t))
QUONEL_WS2_ENTRY(int, shutdown, (SOCKET s, int how), (s, how))
QUONEL_WS2_ENTRY(int, closesocket, (SOCKET s), (s))
QUONEL_WS2_ENTRY(hostent*, gethostbyname, (const char* name), (name))
QUONEL_WS2_ENTRY(int, setsockopt, (SOCKET s, int l, int o, const char* v, int n), (s, l, o, v, n))
}  // namespace ws2

sockaddr_in Address(uint32_t address, uint16_t port) {
  sockaddr_in a = {};
  a.sin_family = AF_INET;
  a.sin_port = NetworkPort(port);
  a.sin_addr.s_addr = address;
  return a;
}

}  // namespace

TNetStackWindows::TNetStackWindows() {
  WSADATA data;
  if (ws2::WSAStartup(0x0202, &data) != 0) throw ENetStackInitializationFailed(L"Winsock Initialization Error.");
}

TNetStackWindows::~TNetStackWindows() { ws2::WSACleanup(); }

SOCKET TNetStackWindows::NewSocket() { return ws2::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP); }

int TNetStackWindows::Bind(SOCKET s, uint32_t address, uint16_t port) {
  const sockaddr_in a = Address(address, port);
  return ws2::bind(s, reinterpret_cast<const sockaddr*>(&a), sizeof a);
}

int TNetStackWindows::Connect(SOCKET s, uint32_t address, uint16_t port) {
  const sockaddr_in a = Address(address, port);
  return ws2::connect(s, reinterpret_cast<const sockaddr*>(&a), sizeof a);
}

int TNetStackWindows::Send(SOCKET s, const char* data, int count) { return ws2::send(s, data, count, 0); }
int TNetStackWindows::Recv(SOCKET s, char* data, int count) { return ws2::recv(s, data, count, 0); }
int TNetStackWindows::Shutdown(SOCKET s, int how) { return ws2::shutdown(s, how); }
int TNetStackWindows::CloseSocket(SOCKET s) { return ws2::closesocket(s); }
int TNetStackWindows::LastError() { return ws2::WSAGetLastError(); }

bool TNetStackWindows::Readable(SOCKET s, int timeoutMs) {
  fd_set readable;
  readable.fd_count = 1;
  readable.fd_array[0] = s;
  timeval limit = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  const int ready = ws2::select(0, &readable, nullptr, nullptr, timeoutMs == -2 ? nullptr : &limit);
  if (ready == SOCKET_ERROR) RaiseSocketError(LastError());
  return ready > 0;
}

uint32_t TNetStackWindows::ResolveHost(const std::string& host) {
  const hostent* entry = ws2::gethostbyname(host.c_str());
  if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list || !entry->h_addr_list[0]) {
    const int error = LastError();
    RaiseSocketError(error != 0 ? error : WSAHOST_NOT_FOUND);
  }
  uint32_t address;
  memcpy(&address, entry->h_addr_list[0], sizeof address);
  return address;
}

int TNetStackWindows::SetSocketOption(SOCKET s, int level, int name, int value) {
  return ws2::setsockopt(s, level, name, reinterpret_cast<const char*>(&value), sizeof value);
}

TNetStack& GStack() {
  // Created on first use and kept for the life of the process; a failed
  // start is raised again on the next use.
  static std::mutex mutex;
  static TNetStackWindows* stack = nullptr;
  std::lock_guard<std::mutex> lock(mutex);
  if (!stack) stack = new TNetStackWindows();
  return *stack;
}

}  // namespace quonel
