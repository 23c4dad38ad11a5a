// Splitting a download address into the host text and the path text that the
// hand-built requests carry.
#pragma once
#include <string>

namespace quonel {

// Whether the address (trimmed) starts with "https://", in any case.
bool IsSecureUrl(const std::wstring& url);
// The host part of an "http://" or "https://" address (the scheme is optional and compared
// without regard to case): everything before the first "/" after the scheme.
// It keeps a ":port" suffix, because the Host line must carry it.
std::wstring GetUrlHost(const std::wstring& url);
// The path part without its leading "/", neither escaped nor decoded: it keeps
// any query text and the "\" of a manifest section name.
std::wstring GetUrlPath(const std::wstring& url);

// A host text split into the name to connect to and the TCP port.
struct HostAndPort {
  std::wstring name;
  int port = 80;
  // False when the text after the last ":" is not a port number 1..65535.
  bool valid = true;
};
// Without a ":port" suffix (or with an empty one) the port is defaultPort.
HostAndPort SplitHostPort(const std::wstring& hostText, int defaultPort = 80);

}  // namespace quonel
