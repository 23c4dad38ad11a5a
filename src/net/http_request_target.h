// Merging a request URL into the client's current target: the path, the
// port kept across requests, the request URL and the "Host" value.
#pragma once
#include <cstdint>
#include <string>

#include "net/http_headers.h"
#include "net/http_uri.h"

namespace quonel {

// Updates target and request for a request of url. sourceSize is the size
// of the source stream (-1 without one).
void MergeRequestTarget(TNetURI& target, TNetHTTPRequest& request, const std::string& url, TNetHTTPMethod method,
                        TNetHTTPProtocolVersion version, int64_t sourceSize);

}  // namespace quonel
