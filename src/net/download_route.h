// Where the hand-built requests of a transfer go: straight to the origin, or
// to a plain proxy with the absolute address in the request line (the Host
// line stays the origin's) and, once the proxy asked for it, its Basic
// credentials.
#pragma once
#include <string>

#include "net/proxy_server.h"

namespace quonel {

struct DownloadRoute {
  std::string connectHost;
  int connectPort = 80;
  ProxyServer proxy;            // Direct(): no proxy
  std::string origin;           // "http://host[:port]", what a proxy needs before the path
  std::string proxyAuthorization;  // "Basic ...", sent when not empty
};

// One address of a transfer: the absolute URL, the host and path texts of
// its requests, and the route to it.
struct TransferTarget {
  std::string url;
  std::string host;  // with a ":port" suffix when the address has one
  std::string path;  // without its leading "/"
  DownloadRoute route;
};

// The request as the route needs it: through a proxy "GET /x HTTP/1.1"
// becomes "GET http://host/x HTTP/1.1" and a "Proxy-Authorization" line is
// added when the route has one; a direct request is returned unchanged.
std::string RouteRequest(const std::string& request, const DownloadRoute& route);

// "Basic " + the base64 of "user:password".
std::string BasicProxyAuthorization(const ProxyServer& proxy);

}  // namespace quonel
