#include "net/http_request_target.h"

#include <algorithm>
#include <limits>

#include "net/http_exceptions.h"
#include "net/http_text.h"

namespace quonel {

void MergeRequestTarget(TNetURI& target, TNetHTTPRequest& request, const std::string& url, TNetHTTPMethod method,
                        TNetHTTPProtocolVersion version, int64_t sourceSize) {
  const TNetURI uri(url);
  if (!uri.Username.empty()) {
    request.Username = uri.Username;
    request.Password = uri.Password;
  }
  target.Username = request.Username;
  target.Password = request.Password;

  if (!uri.Path.empty() && uri.Path[0] == '/') {
    target.Path = uri.Path;
  } else {
    std::string joined = target.Path;
    if (!joined.empty() && joined.back() != '/' && !uri.Path.empty()) joined += '/';
    target.Path = TNetURI::NormalizePath(joined + uri.Path);
  }
  target.Document = uri.Document;
  target.Params = uri.Params;
  target.Bookmark = uri.Bookmark;
  if (!uri.Host.empty()) target.Host = uri.Host;
  target.Protocol = uri.Protocol.empty() ? "http" : uri.Protocol;

  if (!uri.Port.empty()) {
    target.Port = uri.Port;
  } else {
    // A port that an earlier URL set explicitly stays; the standard ones
    // follow the protocol.
    const std::optional<int32_t> old = ParseInt32(target.Port);
    if (!old || *old == 0 || *old == 80 || *old == 443) {
      if (SameTextNoCase(target.Protocol, "http"))
        target.Port = "80";
      else if (SameTextNoCase(target.Protocol, "https"))
        target.Port = "443";
      else
        throw ENetUnknownProtocol(L"");
    }
  }

  request.RequestURL = target.Path + target.Document + target.Params;
  if (method >= hmOptions && method <= hmDelete && version == pv1_0)
    throw ENetException(L"This request method is supported in HTTP 1.1");
  if (method == hmPost || method == hmPut)
    request.ContentLength =
        static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(sourceSize, 0), std::numeric_limits<int32_t>::max()));
  else
    request.ContentLength = -1;
  request.Host = target.Host + (target.Port != "80" ? ":" + target.Port : "");
}

}  // namespace quonel
