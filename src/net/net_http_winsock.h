// Windows Sockets 2, loaded at run time by name on first use and started
// with version 2.2; each entry point is looked up on its first call. The
// process-wide stack object is the one road from the client to it.
#pragma once
#include <winsock2.h>

#include <cstdint>
#include <string>

namespace quonel {

class TNetStack {
 public:
  virtual ~TNetStack() = default;
  virtual SOCKET NewSocket() = 0;
  virtual int Bind(SOCKET s, uint32_t address, uint16_t port) = 0;
  virtual int Connect(SOCKET s, uint32_t address, uint16_t port) = 0;
  virtual int Send(SOCKET s, const char* data, int count) = 0;
  virtual int Recv(SOCKET s, char* data, int count) = 0;
  // Readable within timeoutMs (-2: without limit); raises on a failed select.
  virtual bool Readable(SOCKET s, int timeoutMs) = 0;
  virtual int Shutdown(SOCKET s, int how) = 0;
  virtual int CloseSocket(SOCKET s) = 0;
  virtual int LastError() = 0;
  // The first IPv4 address of a host name, in network order; raises the
  // socket error of the lookup.
  virtual uint32_t ResolveHost(const std::string& host) = 0;
  virtual int SetSocketOption(SOCKET s, int level, int name, int value) = 0;
};

class TNetStackWindows : public TNetStack {
 public:
  TNetStackWindows();  // loads and starts the library; raises on failure
  ~TNetStackWindows() override;
  SOCKET NewSocket() override;
  int Bind(SOCKET s, uint32_t address, uint16_t port) override;
  int Connect(SOCKET s, uint32_t address, uint16_t port) override;
  int Send(SOCKET s, const char* data, int count) override;
  int Recv(SOCKET s, char* data, int count) override;
  bool Readable(SOCKET s, int timeoutMs) override;
  int Shutdown(SOCKET s, int how) override;
  int CloseSocket(SOCKET s) override;
  int LastError() override;
  uint32_t ResolveHost(const std::string& host) override;
  int SetSocketOption(SOCKET s, int level, int name, int value) override;
};

// The process-wide stack, created on first use.
TNetStack& GStack();

// Network byte order without the library's helpers.
inline uint16_t NetworkPort(uint16_t port) { return static_cast<uint16_t>((port >> 8) | (port << 8)); }

}  // namespace quonel
