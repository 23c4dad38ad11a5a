#include "net/download_route.h"

#include "net/http_authentication.h"

namespace quonel {

std::string RouteRequest(const std::string& request, const DownloadRoute& route) {
  if (route.proxy.Direct()) return request;
  std::string routed = request;
  const size_t target = routed.find(" /");
  const size_t lineEnd = routed.find("\r\n");
  if (target != std::string::npos && target < lineEnd) routed.insert(target + 1, route.origin);
  if (!route.proxyAuthorization.empty() && routed.size() >= 2)
    routed.insert(routed.size() - 2, "Proxy-Authorization: " + route.proxyAuthorization + "\r\n");
  return routed;
}

std::string BasicProxyAuthorization(const ProxyServer& proxy) {
  TNetBasicAuthentication basic;
  basic.Username = proxy.username;
  basic.Password = proxy.password;
  return basic.Authentication();
}

}  // namespace quonel
