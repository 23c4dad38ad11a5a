#include "app/proxy_choice.h"

#include "core/ansi_text.h"

namespace quonel {

ProxyChoice::ProxyChoice(const std::wstring& serverValue, const std::wstring& bypassValue, TNetWaitPump pump)
    : configuredBypass_(WideToAnsi(bypassValue)), pump_(std::move(pump)) {
  if (serverValue.empty()) return;
  configured_ = ParseProxyServer(WideToAnsi(serverValue));
  configUsable_ = configured_.has_value();
}

ProxyServer ProxyChoice::For(const std::string& url) {
  const std::string key = SchemeOfUrl(url) + "://" + HostOfUrl(url);
  if (const auto known = answers_.find(key); known != answers_.end()) return known->second;
  ProxyServer proxy;
  if (configured_) {
    if (!configured_->Direct() && !BypassesProxy(HostOfUrl(url), configuredBypass_)) proxy = *configured_;
  } else {
    proxy = system_.For(url, pump_);
  }
  answers_[key] = proxy;
  return proxy;
}

}  // namespace quonel
