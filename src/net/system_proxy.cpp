#include "net/system_proxy.h"

#include <windows.h>
#include <winhttp.h>

#include <memory>

#include "core/ansi_text.h"
#include "net/host_lookup_thread.h"

namespace quonel {
namespace {

std::string Narrow(const wchar_t* text) { return text ? WideToAnsi(text) : std::string(); }

// What the detection thread hands back; shared, because a wait given up
// leaves the thread to finish with it alone.
struct Detection {
  std::wstring url, script;
  bool autoDetect = false;
  bool found = false;
  std::string list, bypass;
};

void RunDetection(Detection& detection) {
  HINTERNET session = WinHttpOpen(L"Quonel Updater", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                  WINHTTP_NO_PROXY_BYPASS, 0);
  if (!session) return;
  WINHTTP_AUTOPROXY_OPTIONS options = {};
  if (detection.autoDetect) {
    options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
    options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
  }
  if (!detection.script.empty()) {
    options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
    options.lpszAutoConfigUrl = detection.script.c_str();
  }
  WINHTTP_PROXY_INFO info = {};
  if (WinHttpGetProxyForUrl(session, detection.url.c_str(), &options, &info)) {
    detection.found = true;
    if (info.dwAccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY) detection.list = Narrow(info.lpszProxy);
    detection.bypass = Narrow(info.lpszProxyBypass);
  }
  if (info.lpszProxy) GlobalFree(info.lpszProxy);
  if (info.lpszProxyBypass) GlobalFree(info.lpszProxyBypass);
  WinHttpCloseHandle(session);
}

}  // namespace

std::string SchemeOfUrl(const std::string& url) {
  const size_t colon = url.find("://");
  return colon == std::string::npos ? std::string("http") : url.substr(0, colon);
}

std::string HostOfUrl(const std::string& url) {
  const size_t colon = url.find("://");
  const size_t start = colon == std::string::npos ? 0 : colon + 3;
  std::string authority = url.substr(start, url.find_first_of("/?#", start) - start);
  authority = authority.substr(authority.rfind('@') == std::string::npos ? 0 : authority.rfind('@') + 1);
  if (!authority.empty() && authority[0] == '[') return authority.substr(0, authority.find(']') + 1);
  return authority.substr(0, authority.find(':'));
}

void SystemProxy::ReadSettings() {
  settingsRead_ = true;
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config = {};
  if (!WinHttpGetIEProxyConfigForCurrentUser(&config)) return;
  autoDetect_ = config.fAutoDetect != FALSE;
  if (config.lpszAutoConfigUrl) configScript_ = config.lpszAutoConfigUrl;
  proxyList_ = Narrow(config.lpszProxy);
  bypassList_ = Narrow(config.lpszProxyBypass);
  for (LPWSTR text : {config.lpszAutoConfigUrl, config.lpszProxy, config.lpszProxyBypass})
    if (text) GlobalFree(text);
}

bool SystemProxy::Detect(const std::string& url, const TNetWaitPump& pump, std::string& list, std::string& bypass) {
  auto detection = std::make_shared<Detection>();
  detection->url = AnsiToWide(url);
  detection->script = configScript_;
  detection->autoDetect = autoDetect_;
  const TThreadWait wait = RunLookupLeavable([detection] { RunDetection(*detection); }, pump, detectionBoundMs_);
  if (wait != TThreadWait::Finished || !detection->found) {
    // Nothing to find here: later addresses go on without asking again.
    detectionFailed_ = true;
    return false;
  }
  list = detection->list;
  bypass = detection->bypass;
  return true;
}

ProxyServer SystemProxy::For(const std::string& url, const TNetWaitPump& pump) {
  if (!settingsRead_) ReadSettings();
  std::string list = proxyList_, bypass = bypassList_;
  if ((autoDetect_ || !configScript_.empty()) && !detectionFailed_) {
    std::string detectedList, detectedBypass;
    // A detected answer replaces the manual settings; none falls back to them.
    if (Detect(url, pump, detectedList, detectedBypass)) {
      list = detectedList;
      bypass = detectedBypass;
    }
  }
  if (list.empty() || BypassesProxy(HostOfUrl(url), bypass)) return {};
  return ProxyForScheme(list, SchemeOfUrl(url)).value_or(ProxyServer{});
}

}  // namespace quonel
