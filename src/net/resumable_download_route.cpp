// Where a transfer's requests go: its proxy, and the redirects of its HEAD.
#include "net/resumable_download.h"

#include "core/ansi_text.h"
#include "core/exception.h"
#include "net/download_requests.h"
#include "net/download_response.h"
#include "net/download_route.h"
#include "net/download_url.h"
#include "net/redirect_rule.h"
#include "net/tls_session.h"

namespace quonel {

void TDownloadSite::AimAt(const std::string& url, TransferTarget& target) {
  target.url = url.find("://") == std::string::npos ? "http://" + url : url;
  const std::wstring wideUrl = AnsiToWide(target.url);
  const std::wstring hostText = GetUrlHost(wideUrl);
  const bool secure = IsSecureUrl(wideUrl);
  const HostAndPort peer = SplitHostPort(hostText, secure ? 443 : 80);
  if (!peer.valid) throw Exception(L"the port is not a number");
  tlsServerName_ = secure ? WideToAnsi(peer.name) : "";
  tlsTunnel_.clear();
  tlsTunnelAuthorization_.clear();
  target.host = WideToAnsi(hostText);
  target.path = WideToAnsi(GetUrlPath(wideUrl));
  DownloadRoute route;
  route.proxy = ProxyFor ? ProxyFor(target.url) : ProxyServer{};
  if (route.proxy.Direct()) {
    route.connectHost = WideToAnsi(peer.name);
    route.connectPort = peer.port;
  } else if (secure) {
    // Through a proxy an https transfer is a tunnel: the requests inside it
    // are the origin's own, and only the CONNECT carries the credentials.
    route.connectHost = route.proxy.host;
    route.connectPort = route.proxy.port;
    tlsTunnel_ = WideToAnsi(peer.name) + ":" + std::to_string(peer.port);
    if (route.proxy.HasCredentials()) tlsTunnelAuthorization_ = BasicProxyAuthorization(route.proxy);
    route.proxy = ProxyServer{};
  } else {
    route.connectHost = route.proxy.host;
    route.connectPort = route.proxy.port;
    route.origin = target.url.substr(0, target.url.find("://") + 3) + target.host;
    // A proxy that asked once is answered at once from then on.
    if (route.proxy.HasCredentials() && basicProxies_.count(route.proxy.Describe()))
      route.proxyAuthorization = BasicProxyAuthorization(route.proxy);
  }
  target.route = route;
  DownSocket->SetActive(false);
  DownSocket->SetHost(route.connectHost);
  DownSocket->SetPort(route.connectPort);
}

void TDownloadSite::OpenTunnel() {
  std::string request = "CONNECT " + tlsTunnel_ + " HTTP/1.1\r\nHost: " + tlsTunnel_ + "\r\n";
  if (!tlsTunnelAuthorization_.empty()) request += "Proxy-Authorization: " + tlsTunnelAuthorization_ + "\r\n";
  DownSocket->Connection()->SendString(request + "\r\n");
  ResponseHeaders answer;
  if (!ReadHeaderBlock(answer) || !answer.status || *answer.status / 100 != 2) {
    DownSocket->SetActive(false);
    throw ETlsError(L"the proxy refused a tunnel to " + AnsiToWide(tlsTunnel_) +
                    (answer.status ? L" (" + std::to_wstring(*answer.status) + L")" : std::wstring()));
  }
}

bool TDownloadSite::HeadFollowingRedirects(TransferTarget& target, ResponseHeaders& head) {
  RedirectTrail trail;
  bool challengeAnswered = false;
  for (;;) {
    Reconnect();
    DownSocket->Connection()->SendString(RouteRequest(BuildHeadRequest(target.path, target.host), target.route));
    head = ResponseHeaders{};
    const bool ended = ReadHeaderBlock(head);
    if (AbortFlag || !head.status) return ended;
    if (*head.status == 407 && head.proxyOffersBasic && target.route.proxy.HasCredentials() &&
        !challengeAnswered) {
      challengeAnswered = true;
      basicProxies_.insert(target.route.proxy.Describe());
      target.route.proxyAuthorization = BasicProxyAuthorization(target.route.proxy);
      continue;
    }
    if (!IsFollowedRedirect(*head.status) || head.location.empty()) return ended;
    // Validators, lengths and the resume belong to the address that answers.
    AimAt(trail.Follow(target.url, head.location), target);
    challengeAnswered = false;
  }
}

}  // namespace quonel
