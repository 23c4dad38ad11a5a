// Which proxy the wizard uses for an address: config.ini's [proxy] when it
// names one ("server=host:port", "server=user:password@host:port" or
// "server=direct", with an optional "bypass=" list), else the system's.
#pragma once
#include <map>
#include <optional>
#include <string>

#include "net/network_wait.h"
#include "net/proxy_server.h"
#include "net/system_proxy.h"

namespace quonel {

class ProxyChoice {
 public:
  // serverValue and bypassValue are config.ini's texts ("" when missing).
  ProxyChoice(const std::wstring& serverValue, const std::wstring& bypassValue, TNetWaitPump pump);

  // Answers for the same scheme and host are remembered for the process.
  ProxyServer For(const std::string& url);
  // False when config.ini names a proxy that cannot be used (it is ignored).
  bool ConfigUsable() const { return configUsable_; }

 private:
  std::optional<ProxyServer> configured_;
  std::string configuredBypass_;
  bool configUsable_ = true;
  TNetWaitPump pump_;
  SystemProxy system_;
  std::map<std::string, ProxyServer> answers_;
};

}  // namespace quonel
