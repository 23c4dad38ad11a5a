// The system's proxy for an address, asked the way browsers ask: the
// current user's Internet Options (WinHttpGetIEProxyConfigForCurrentUser),
// and, when they say "detect automatically" or name a configuration script,
// WinHttpGetProxyForUrl. Detection that finds nothing must not cost every
// run its full length, so it is bounded and, once it found nothing, not
// tried again by this process.
#pragma once
#include <string>

#include "net/network_wait.h"
#include "net/proxy_server.h"

namespace quonel {

// How long the first address waits for automatic detection before it goes
// on without it.
inline constexpr int kProxyDetectionBoundMs = 1500;

class SystemProxy {
 public:
  explicit SystemProxy(int detectionBoundMs = kProxyDetectionBoundMs) : detectionBoundMs_(detectionBoundMs) {}

  // pump keeps the window alive during the detection and may give it up.
  ProxyServer For(const std::string& url, const TNetWaitPump& pump);

 private:
  void ReadSettings();
  // The detected or scripted proxy list and bypass list; false when there is none to use.
  bool Detect(const std::string& url, const TNetWaitPump& pump, std::string& list, std::string& bypass);

  int detectionBoundMs_;
  bool settingsRead_ = false;
  bool autoDetect_ = false;
  std::wstring configScript_;
  std::string proxyList_, bypassList_;
  bool detectionFailed_ = false;
};

// The scheme ("http") and host name of an absolute address.
std::string SchemeOfUrl(const std::string& url);
std::string HostOfUrl(const std::string& url);

}  // namespace quonel
