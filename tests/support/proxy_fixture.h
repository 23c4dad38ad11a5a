// The real proxies of the network tests (the CTest fixture "tinyproxy") and
// the system proxy of the project's Wine prefix, set as Internet Options
// sets it.
#pragma once
#ifdef _WIN32
#include <windows.h>
#endif

#include <string>
#include <vector>

namespace quonel::testing {

// instance: "open" (no authentication) or "auth" (BasicAuth quonel / proxy-secret).
int TinyproxyPort(const std::string& instance);
// The request lines the instance has logged so far ("GET http://... HTTP/1.1").
std::vector<std::string> TinyproxyRequests(const std::string& instance);
// Waits until the instance has logged a request line that contains needle;
// tinyproxy writes its log after it answered, so the wizard may be done first.
bool WaitForTinyproxyRequest(const std::string& instance, const std::string& needle, int timeoutMs = 10000);

#ifdef _WIN32
// Sets the current user's Internet Options connection settings for its
// lifetime and puts the earlier ones back afterwards.
class SystemProxyScope {
 public:
  // proxy "" with autoDetect false: direct; bypass as Internet Options writes it.
  SystemProxyScope(const std::string& proxy, const std::string& bypass, bool autoDetect = false);
  ~SystemProxyScope();
  SystemProxyScope(const SystemProxyScope&) = delete;
  SystemProxyScope& operator=(const SystemProxyScope&) = delete;

 private:
  std::vector<unsigned char> saved_;
  bool hadValue_ = false;
};
#endif

}  // namespace quonel::testing
