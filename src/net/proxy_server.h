// The proxy that serves one address, in one small type that the manifest
// client and the file download both take: where to connect instead of the
// origin, and the credentials to answer its Basic challenge with.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quonel {

struct ProxyServer {
  std::string host;  // empty: connect to the origin itself
  int port = 0;
  std::string username, password;  // answer a 407 with Basic when set

  bool Direct() const { return host.empty(); }
  bool HasCredentials() const { return !username.empty(); }
  // "host:port", or "direct", for the log.
  std::string Describe() const;
  bool operator==(const ProxyServer&) const = default;
};

// Which proxy serves an absolute URL; the caller decides how (the system's
// settings, config.ini).
using ProxyResolver = std::function<ProxyServer(const std::string& url)>;

// A proxy as config.ini writes it: "host:port", "user:password@host:port"
// (the port defaults to 80) or "direct". Absent when it cannot be used.
std::optional<ProxyServer> ParseProxyServer(std::string_view text);

// The platform's proxy list, as Internet Options stores it: one
// "host:port" for every scheme, or "http=host:port;https=host:port", entries
// separated by ";" or blanks. The entry for the scheme, else the one
// without a scheme; absent when the list names none.
std::optional<ProxyServer> ProxyForScheme(std::string_view list, std::string_view scheme);

// Whether a host is in a bypass list ("a.example;*.corp;10.*;<local>",
// separated by ";", "," or blanks, letter case aside): "*" stands for any
// text, an entry may carry a scheme and a port, and "<local>" names every
// host without a dot.
bool BypassesProxy(std::string_view host, std::string_view bypassList);

}  // namespace quonel
