#include "net/proxy_server.h"

#include <vector>

#include "net/http_text.h"

namespace quonel {
namespace {

std::vector<std::string> SplitList(std::string_view list, std::string_view separators) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= list.size()) {
    const size_t end = list.find_first_of(separators, start);
    const std::string part = TrimText(list.substr(start, end == std::string_view::npos ? end : end - start));
    if (!part.empty()) parts.push_back(part);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return parts;
}

std::string_view WithoutScheme(std::string_view text) {
  const size_t scheme = text.find("://");
  return scheme == std::string_view::npos ? text : text.substr(scheme + 3);
}

// "host[:port]" with an optional "/..." after it; absent when the port is no port.
std::optional<ProxyServer> HostAndPort(std::string_view text) {
  text = WithoutScheme(text);
  text = text.substr(0, text.find('/'));
  ProxyServer proxy;
  const size_t colon = text.rfind(':');
  proxy.host = TrimText(text.substr(0, colon));
  proxy.port = 80;
  if (colon != std::string_view::npos) {
    const std::optional<int32_t> port = ParseInt32(TrimText(text.substr(colon + 1)));
    if (!port || *port < 1 || *port > 65535) return std::nullopt;
    proxy.port = *port;
  }
  if (proxy.host.empty() || proxy.host.find_first_of(" \t@") != std::string::npos) return std::nullopt;
  return proxy;
}

// "*" matches any text; everything else one character, letter case aside.
bool WildcardMatch(std::string_view pattern, std::string_view text) {
  size_t p = 0, t = 0, starP = std::string_view::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starT = t;
    } else if (p < pattern.size() && AsciiLower(pattern[p]) == AsciiLower(text[t])) {
      ++p;
      ++t;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::string ProxyServer::Describe() const {
  return Direct() ? std::string("direct") : host + ":" + std::to_string(port);
}

std::optional<ProxyServer> ParseProxyServer(std::string_view text) {
  const std::string trimmed = TrimText(text);
  if (SameTextNoCase(trimmed, "direct")) return ProxyServer{};
  std::string_view rest = WithoutScheme(trimmed);
  std::string username, password;
  const size_t at = rest.rfind('@');
  if (at != std::string_view::npos) {
    const std::string_view user = rest.substr(0, at);
    const size_t colon = user.find(':');
    username = std::string(user.substr(0, colon));
    if (colon != std::string_view::npos) password = std::string(user.substr(colon + 1));
    rest = rest.substr(at + 1);
    if (username.empty()) return std::nullopt;
  }
  std::optional<ProxyServer> proxy = HostAndPort(rest);
  if (!proxy) return std::nullopt;
  proxy->username = std::move(username);
  proxy->password = std::move(password);
  return proxy;
}

std::optional<ProxyServer> ProxyForScheme(std::string_view list, std::string_view scheme) {
  std::optional<ProxyServer> anyScheme;
  for (const std::string& entry : SplitList(list, "; \t")) {
    const size_t equals = entry.find('=');
    if (equals == std::string::npos) {
      if (!anyScheme) anyScheme = HostAndPort(entry);
    } else if (SameTextNoCase(TrimText(std::string_view(entry).substr(0, equals)), scheme)) {
      return HostAndPort(std::string_view(entry).substr(equals + 1));
    }
  }
  return anyScheme;
}

bool BypassesProxy(std::string_view host, std::string_view bypassList) {
  for (const std::string& entry : SplitList(bypassList, ";, \t\r\n")) {
    if (SameTextNoCase(entry, "<local>")) {
      if (host.find('.') == std::string_view::npos) return true;
      continue;
    }
    std::string_view pattern = WithoutScheme(entry);
    // A port in the entry narrows it to that port; the host part decides here.
    const size_t colon = pattern.rfind(':');
    if (colon != std::string_view::npos && pattern.find(']') == std::string_view::npos) pattern = pattern.substr(0, colon);
    if (WildcardMatch(pattern, host)) return true;
  }
  return false;
}

}  // namespace quonel
