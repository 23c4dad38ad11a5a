// Where a transfer's requests go: its proxy, and the redirects of its HEAD.
#include "net/resumable_download.h"

#include "core/ansi_text.h"
#include "core/exception.h"
#include "net/download_requests.h"
#include "net/download_response.h"
#include "net/download_route.h"
#include "net/download_url.h"
#include "net/redirect_rule.h"

namespace quonel {

void TDownloadSite::AimAt(const std::string& url, TransferTarget& target) {
  target.url = url.find("://") == std::string::npos ? "http://" + url : url;
  const std::wstring wideUrl = AnsiToWide(target.url);
  const std::wstring hostText = GetUrlHost(wideUrl);
  const HostAndPort peer = SplitHostPort(hostText);
  if (!peer.valid) throw Exception(L"the port is not a number");
  target.host = WideToAnsi(hostText);
  target.path = WideToAnsi(GetUrlPath(wideUrl));
  DownloadRoute route;
  route.proxy = ProxyFor ? ProxyFor(target.url) : ProxyServer{};
  if (route.proxy.Direct()) {
    route.connectHost = WideToAnsi(peer.name);
    route.connectPort = peer.port;
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
